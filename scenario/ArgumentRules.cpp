#include "scenario/ArgumentRules.h"

#include "scenario/Numbers.h"

QString FileNameOf(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

Checked<int16_t> NextTarget(const QString& argument) {
    using Result = Checked<int16_t>;
    if (argument.trimmed().isEmpty()) {
        return Result::fail(QStringLiteral(
            "「next」の行き先のラベル番号がありません。10 文字目から番号を書いてください。"));
    }
    const std::optional<double> number = WholeNumber(argument);
    if (!number) {
        return Result::fail(
            QStringLiteral("「next」の行き先「%1」が数ではありません。").arg(argument.trimmed()));
    }
    const std::optional<int16_t> label = FlooredInt16(*number);
    if (!label) {
        return Result::fail(
            QStringLiteral("「next」の行き先「%1」は -32768 から 32767 の範囲を超えています。")
                .arg(argument.trimmed()));
    }
    return Result::ok(*label);
}

QString MissingCommaProblem() {
    return QStringLiteral(
        "「,」がありません。ボタン番号の後、12 文字目からの文字とツールチップの間を"
        "「,」で区切ってください。");
}

Checked<std::array<int16_t, kChoiceTargetFields>> ChoiceTargetFields(const ScenarioLine& line) {
    using Result = Checked<std::array<int16_t, kChoiceTargetFields>>;
    std::array<int16_t, kChoiceTargetFields> targets{};
    for (int k = 0; k < kChoiceTargetFields; ++k) {
        const int column = 10 + 6 * k;
        const QString field = line.columns(column, 5);
        const QString where =
            QStringLiteral("「nextbot」の %1 番目の行き先（%2 文字目から 5 文字）")
                .arg(k + 1)
                .arg(column);
        if (field.trimmed().isEmpty()) {
            return Result::fail(where +
                                QStringLiteral("がありません。10 個の行き先をすべて書いてください"
                                               "（行き先のないボタンは 00000）。"));
        }
        const std::optional<double> number = WholeNumber(field);
        const std::optional<int16_t> label = number ? RoundedInt16(*number) : std::nullopt;
        if (!label)
            return Result::fail(where +
                                QStringLiteral("「%1」がラベル番号として読めません。").arg(field));
        targets[static_cast<size_t>(k)] = *label;
    }
    return Result::ok(targets);
}

Checked<int> ButtonIndex(QChar index, const char* command) {
    bool isHex = false;
    const int value = QString(index).toInt(&isHex, 16);
    if (!isHex || index.unicode() >= 128) return Checked<int>::ok(0);
    if (value > 10) {
        return Checked<int>::fail(QStringLiteral("「%1」のボタン番号「%2」のボタンはありません。"
                                                 "使えるのは 0～9 と a（10 番）です。")
                                      .arg(QLatin1String(command), QString(index)));
    }
    return Checked<int>::ok(value);
}

QString CgFileName(const ScenarioLine& line) {
    QString text = line.text;
    if (!text.contains(QLatin1Char('.'))) text += QStringLiteral(".JPG");
    return FileNameOf(text.mid(9));
}

Checked<QStringList> AnimeFrameNames(const QString& argument) {
    const int frames = static_cast<int>(argument.size()) / kAnimeFieldWidth;
    if (frames < 1 || frames > kMostAnimeFrames) {
        return Checked<QStringList>::fail(
            QStringLiteral(
                "「anime」のコマは 1～15 個です（10 文字目から、ファイル名を空白で 12 文字に"
                "そろえて並べます）。この行は %1 文字で %2 コマです。")
                .arg(argument.size())
                .arg(frames));
    }
    QStringList names;
    for (int k = 0; k < frames; ++k)
        names << FileNameOf(argument.mid(k * kAnimeFieldWidth, kAnimeFieldWidth));
    return Checked<QStringList>::ok(names);
}

namespace {

// A number of fixed columns: the number at the start of the field, rounded.
Checked<int16_t> FieldNumber(const ScenarioLine& line, int column, int width, const QString& what) {
    const QString field = line.columns(column, width);
    const std::optional<int16_t> value = RoundedInt16(LeadingNumber(field));
    if (!value) {
        return Checked<int16_t>::fail(
            QStringLiteral("%1（%2 文字目から %3 文字）「%4」が大きすぎます。-32768 から 32767 "
                           "までにしてください。")
                .arg(what, QString::number(column), QString::number(width), field));
    }
    return Checked<int16_t>::ok(*value);
}

}  // namespace

Checked<StripAnimation> StripAnimationArguments(const ScenarioLine& line) {
    using Result = Checked<StripAnimation>;
    const Checked<int16_t> last =
        FieldNumber(line, 22, 2, QStringLiteral("「anime3」の最後のコマ番号"));
    if (!last) return Result::fail(last.problem);
    if (*last < 0) {
        return Result::fail(
            QStringLiteral("「anime3」の最後のコマ番号（22 文字目から 2 文字）が負の数です。"));
    }
    StripAnimation strip;
    strip.stripFile = FileNameOf(line.columns(10, 12));
    strip.lastFrame = *last;
    strip.extraFrame = line.columns(24, 1) == QLatin1String("1");
    if (strip.extraFrame) strip.extraFile = FileNameOf(line.columns(25, 12));
    return Result::ok(strip);
}

std::optional<QString> StripTooShort(const StripAnimation& strip, int stripHeight) {
    // With the extra frame, frames 0 to N-1 come from the strip; without, 0 to N.
    const int framesFromStrip = strip.extraFrame ? strip.lastFrame : strip.lastFrame + 1;
    if (stripHeight >= framesFromStrip * kStripFrameHeight) return std::nullopt;
    return QStringLiteral(
               "「anime3」の絵「%1」は高さ %2 ピクセルで、%3 コマ（高さ %4）に足りません。")
        .arg(strip.stripFile, QString::number(stripHeight), QString::number(framesFromStrip),
             QString::number(framesFromStrip * kStripFrameHeight));
}

Checked<std::array<int16_t, 4>> CircleArguments(const ScenarioLine& line) {
    struct Field {
        int column, width;
        const char16_t* what;
    };
    static constexpr Field kFields[] = {
        {10, 1, u"「circle」の表示（0 で消す）"},
        {12, 4, u"「circle」の中心の x"},
        {17, 4, u"「circle」の中心の y"},
        {22, 4, u"「circle」の半径"},
    };
    std::array<int16_t, 4> params{};
    for (size_t i = 0; i < params.size(); ++i) {
        const Field& f = kFields[i];
        const Checked<int16_t> value =
            FieldNumber(line, f.column, f.width, QString::fromUtf16(f.what));
        if (!value) return Checked<std::array<int16_t, 4>>::fail(value.problem);
        params[i] = *value;
    }
    return Checked<std::array<int16_t, 4>>::ok(params);
}

uint8_t SysModeOf(const QString& lastCharacter) {
    const QChar c = lastCharacter.isEmpty() ? QChar() : lastCharacter.front();
    return (c.unicode() >= '0' && c.unicode() <= '9') ? static_cast<uint8_t>(c.unicode() - '0') : 0;
}
