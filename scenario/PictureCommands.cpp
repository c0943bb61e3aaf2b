#include "scenario/PictureCommands.h"

#include <optional>

#include "scenario/EngineState.h"
#include "scenario/Numbers.h"
#include "scenario/ScenarioError.h"
#include "shell/Form1.h"

namespace {

constexpr int kFrameWidth = 480;
constexpr int kAnimeFrameHeight = 358;
constexpr int kStripFrameHeight = 360;
constexpr int kFieldWidth = 12;
constexpr int kMostFrames = 15;
constexpr int kFrameIntervalMs = 100;

// Trailing blanks are no part of a file name.
QString FileName(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

bool LoadOrReport(PictureSurface& surface, const QString& name, const ScenarioLine& line) {
    if (surface.loadPicture(Engine.AppDir + name)) return true;
    ReportScenarioError(
        QStringLiteral("絵のファイル「%1」が見つからないか、絵として読めません。").arg(name), line);
    return false;
}

QString ThreeDigits(int n) { return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')); }

void StartAnimation(int lastFrame) {
    Form1& form = MainForm();
    form.Animer1.setTag(ThreeDigits(0) + ThreeDigits(lastFrame));
    form.Animer1.setInterval(kFrameIntervalMs);
}

// A number field of fixed columns: the number at its start, rounded, 16 bits.
std::optional<int16_t> FieldNumber(const ScenarioLine& line, int column, int width,
                                   const QString& what) {
    const QString field = line.columns(column, width);
    const std::optional<int16_t> value = RoundedInt16(LeadingNumber(field));
    if (!value) {
        ReportScenarioError(QStringLiteral("%1（%2 文字目から %3 文字）「%4」が大きすぎます。"
                                           "-32768 から 32767 までにしてください。")
                                .arg(what)
                                .arg(column)
                                .arg(width)
                                .arg(field),
                            line);
    }
    return value;
}

}  // namespace

bool CgCommand(const CommandArguments& args) {
    // The extension is added when the whole line, command word included, has no ".".
    QString line = args.line.text;
    if (!line.contains(QLatin1Char('.'))) line += QStringLiteral(".JPG");
    const QString name = FileName(line.mid(9));
    Form1& form = MainForm();
    if (!LoadOrReport(form.Picture1, name, args.line)) return false;
    form.Picture1.refresh();
    return true;
}

bool AnimeCommand(const CommandArguments& args) {
    const QString& argument = args.rest;
    const int frames = static_cast<int>(argument.size()) / kFieldWidth;
    if (frames < 1 || frames > kMostFrames) {
        ReportScenarioError(
            QStringLiteral("「anime」のコマは 1～15 個です（10 文字目から、ファイル名を"
                           "空白で 12 文字にそろえて並べます）。この行は %1 文字で %2 コマです。")
                .arg(argument.size())
                .arg(frames),
            args.line);
        return false;
    }
    Engine.CgWidth = kFrameWidth;
    Engine.CgHeight = kAnimeFrameHeight;

    Form1& form = MainForm();
    form.AniPic1.setWidth(kFrameWidth + 4);
    form.AniPic1.setHeight(frames * kAnimeFrameHeight);
    for (int k = 0; k < frames; ++k) {
        const QString name = FileName(argument.mid(k * kFieldWidth, kFieldWidth));
        if (!LoadOrReport(form.WrkPic1, name, args.line)) return false;
        form.AniPic1.copyFrom(form.WrkPic1, 0, 0, kFrameWidth, kAnimeFrameHeight, 0,
                              k * kAnimeFrameHeight);
    }
    StartAnimation(frames - 1);
    return true;
}

bool Anime3Command(const CommandArguments& args) {
    const ScenarioLine& line = args.line;
    const std::optional<int16_t> last =
        FieldNumber(line, 22, 2, QStringLiteral("「anime3」の最後のコマ番号"));
    if (!last) return false;
    if (*last < 0) {
        ReportScenarioError(
            QStringLiteral("「anime3」の最後のコマ番号（22 文字目から 2 文字）が負の数です。"),
            line);
        return false;
    }
    Engine.CgWidth = kFrameWidth;
    Engine.CgHeight = kStripFrameHeight;

    Form1& form = MainForm();
    const QString stripName = FileName(line.columns(10, 12));
    if (!LoadOrReport(form.AniPic1, stripName, line)) return false;

    const bool extraFrame = line.columns(24, 1) == QLatin1String("1");
    // With the extra frame, frames 0 to N-1 come from the strip; without, 0 to N.
    const int framesFromStrip = extraFrame ? *last : *last + 1;
    if (form.AniPic1.pictureHeight() < framesFromStrip * kStripFrameHeight) {
        ReportScenarioError(
            QStringLiteral("「anime3」の絵「%1」は高さ %2 ピクセルで、%3 コマ（高さ %4）に"
                           "足りません。")
                .arg(stripName)
                .arg(form.AniPic1.pictureHeight())
                .arg(framesFromStrip)
                .arg(framesFromStrip * kStripFrameHeight),
            line);
        return false;
    }
    if (extraFrame) {
        form.AniPic1.setHeight((*last + 1) * kStripFrameHeight);
        const QString extraName = FileName(line.columns(25, 12));
        if (!LoadOrReport(form.WrkPic1, extraName, line)) return false;
        form.AniPic1.copyFrom(form.WrkPic1, 0, 0, Engine.CgWidth, Engine.CgHeight, 0,
                              *last * Engine.CgHeight);
    }
    StartAnimation(*last);
    return true;
}

bool CircleCommand(const CommandArguments& args) {
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
        const std::optional<int16_t> value =
            FieldNumber(args.line, f.column, f.width, QString::fromUtf16(f.what));
        if (!value) return false;
        params[i] = *value;
    }
    Engine.CircleParams = params;
    MainForm().Picture1.refresh();
    return true;
}
