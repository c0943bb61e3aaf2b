#include "platform/HelpPictures.h"

#include <QFileInfo>

#include <optional>

#include "platform/FileLookup.h"
#include "platform/PictureReader.h"

namespace {

const QString kPictureScheme = QStringLiteral("help-picture");

// One attribute value of a tag, with where it stands (quotes included).
struct Attribute {
    QString value;
    qsizetype start = -1;
    qsizetype end = -1;
};

struct ImageTag {
    qsizetype end = -1;  // one past its '>'
    Attribute source;
    Attribute alt;
};

bool IsSpace(QChar c) { return c.isSpace(); }

// The <img> tag starting at `start` (its '<'), read as browsers read
// attributes: quoted with " or ', or unquoted up to a blank or '>'.
std::optional<ImageTag> ReadImageTag(const QString& html, qsizetype start) {
    ImageTag tag;
    const qsizetype size = html.size();
    qsizetype i = start + 4;
    while (i < size) {
        while (i < size && (IsSpace(html.at(i)) || html.at(i) == QLatin1Char('/')))
            ++i;
        if (i >= size) return std::nullopt;
        if (html.at(i) == QLatin1Char('>')) {
            tag.end = i + 1;
            return tag;
        }
        const qsizetype nameStart = i;
        while (i < size && !IsSpace(html.at(i)) && html.at(i) != QLatin1Char('=') &&
               html.at(i) != QLatin1Char('>') && html.at(i) != QLatin1Char('/'))
            ++i;
        const QString name = html.mid(nameStart, i - nameStart).toLower();
        while (i < size && IsSpace(html.at(i)))
            ++i;
        Attribute value;
        if (i < size && html.at(i) == QLatin1Char('=')) {
            ++i;
            while (i < size && IsSpace(html.at(i)))
                ++i;
            if (i >= size) return std::nullopt;
            value.start = i;
            const QChar quote = html.at(i);
            if (quote == QLatin1Char('"') || quote == QLatin1Char('\'')) {
                const qsizetype close = html.indexOf(quote, i + 1);
                if (close < 0) return std::nullopt;
                value.value = html.mid(i + 1, close - i - 1);
                i = close + 1;
            } else {
                while (i < size && !IsSpace(html.at(i)) && html.at(i) != QLatin1Char('>'))
                    ++i;
                value.value = html.mid(value.start, i - value.start);
            }
            value.end = i;
        }
        if (name == QLatin1String("src") && tag.source.start < 0) tag.source = value;
        if (name == QLatin1String("alt") && tag.alt.start < 0) tag.alt = value;
    }
    return std::nullopt;
}

bool StartsImageTag(const QString& html, qsizetype at) {
    if (QStringView(html).mid(at, 4).compare(QLatin1String("<img"), Qt::CaseInsensitive) != 0)
        return false;
    if (at + 4 >= html.size()) return false;
    const QChar next = html.at(at + 4);
    return IsSpace(next) || next == QLatin1Char('>') || next == QLatin1Char('/');
}

// The alt text as text of the page: its entities stay entities, but nothing
// in it may open a tag.
QString AltText(const QString& alt) {
    QString text = alt;
    return text.replace(QLatin1Char('<'), QLatin1String("&lt;"))
        .replace(QLatin1Char('>'), QLatin1String("&gt;"));
}

}  // namespace

int HelpPictures::pictureFor(const QString& source) {
    const QUrl url(QString(source).replace(QLatin1String("&amp;"), QLatin1String("&")));
    // Only a file of the game folder: no scheme, no host; query and fragment
    // name the same file.
    if (!url.isValid() || !url.scheme().isEmpty() || !url.host().isEmpty()) return -1;
    const QString resolved = ResolveFileName(url.path(QUrl::FullyDecoded));
    if (resolved.isEmpty()) return -1;
    const QString file = QFileInfo(resolved).canonicalFilePath();
    if (file.isEmpty()) return -1;
    if (const auto known = byFile_.constFind(file); known != byFile_.constEnd()) return *known;

    int index = -1;
    PictureReader reader(file);
    const qint64 bytes = qint64(reader.size().width()) * reader.size().height() * 4;
    if (reader.usable() && bytes <= bytesLeft_ && timeLeft_.count() > 0) {
        const auto started = std::chrono::steady_clock::now();
        const QImage image = reader.read(std::min(timeLeft_, kPictureDecodeBudget));
        timeLeft_ -= std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - started);
        if (!image.isNull()) {
            bytesLeft_ -= bytes;
            index = static_cast<int>(pictures_.size());
            pictures_.append(image);
        }
    }
    byFile_.insert(file, index);
    return index;
}

QString HelpPictures::prepare(const QString& html) {
    QString out;
    out.reserve(html.size());
    qsizetype copied = 0;
    for (qsizetype at = html.indexOf(QLatin1Char('<')); at >= 0;
         at = html.indexOf(QLatin1Char('<'), at + 1)) {
        if (!StartsImageTag(html, at)) continue;
        const std::optional<ImageTag> tag = ReadImageTag(html, at);
        // A tag that never closes is no tag: the layout shows it as text.
        if (!tag) break;
        out += QStringView(html).mid(copied, at - copied);
        const int index = tag->source.start >= 0 ? pictureFor(tag->source.value) : -1;
        if (index >= 0) {
            out += QStringView(html).mid(at, tag->source.start - at);
            out += QStringLiteral("\"%1:%2\"").arg(kPictureScheme).arg(index);
            out += QStringView(html).mid(tag->source.end, tag->end - tag->source.end);
        } else {
            out += AltText(tag->alt.value);
        }
        copied = tag->end;
        at = tag->end - 1;
    }
    out += QStringView(html).mid(copied);
    return out;
}

QImage HelpPictures::picture(const QUrl& url) const {
    if (url.scheme() != kPictureScheme) return {};
    bool number = false;
    const int index = url.path().toInt(&number);
    return number && index >= 0 && index < pictures_.size() ? pictures_.at(index) : QImage();
}
