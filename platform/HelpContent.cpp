#include "platform/HelpContent.h"

#include <QFile>
#include <QStringDecoder>

#include "platform/FileLookup.h"
#include "platform/TextCodec.h"

namespace {

QString DecodeHelp(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    return DecodeAnsi(bytes);
}

bool LooksLikeHtml(const QString& text) {
    const QString start = text.left(512).trimmed().toLower();
    return start.startsWith(QLatin1String("<!doctype html")) ||
           start.startsWith(QLatin1String("<html")) || start.contains(QLatin1String("<body"));
}

// Elements that are closed in practice; those often left open (p, li, td, tr)
// would count every paragraph as a level.
bool CountsAsLevel(QStringView name) {
    static const char* const kNames[] = {"table",  "div",    "blockquote", "ul",  "ol",  "dl",
                                         "center", "font",   "span",       "b",   "i",   "u",
                                         "em",     "strong", "a",          "pre", "sub", "sup"};
    for (const char* n : kNames) {
        if (name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0) return true;
    }
    return false;
}

}  // namespace

bool HtmlWithinLimits(const QString& html) {
    if (html.size() > kLongestHtmlCharacters) return false;
    int tables = 0;
    int levels = 0;
    qint64 cellCost = 0;
    const qsizetype size = html.size();
    for (qsizetype i = html.indexOf(QLatin1Char('<')); i >= 0 && i + 1 < size;
         i = html.indexOf(QLatin1Char('<'), i + 1)) {
        qsizetype start = i + 1;
        const bool closing = html.at(start) == QLatin1Char('/');
        if (closing) ++start;
        qsizetype end = start;
        while (end < size && html.at(end).isLetterOrNumber())
            ++end;
        const QStringView name = QStringView(html).mid(start, end - start);
        if (!closing && tables > 0 &&
            (name.compare(QLatin1String("td"), Qt::CaseInsensitive) == 0 ||
             name.compare(QLatin1String("th"), Qt::CaseInsensitive) == 0)) {
            cellCost += qint64(1) << (tables - 1);
            if (cellCost > kTableCellBudget) return false;
        }
        if (name.isEmpty() || !CountsAsLevel(name)) continue;
        const bool table = name.compare(QLatin1String("table"), Qt::CaseInsensitive) == 0;
        const int step = closing ? -1 : 1;
        levels = qMax(levels + step, 0);
        if (table) tables = qMax(tables + step, 0);
        if (levels > kDeepestNesting || tables > kDeepestTables) return false;
    }
    return true;
}

std::optional<HelpContent> LoadHelpContent(const QString& fileName) {
    QFile file;
    if (!OpenRegularFile(file, ResolveFileName(fileName))) return std::nullopt;
    const QByteArray bytes = file.read(kLongestHelpBytes);
    if (bytes.isEmpty() && file.error() != QFileDevice::NoError) return std::nullopt;
    HelpContent content{DecodeHelp(bytes), false};
    content.html = LooksLikeHtml(content.text) && HtmlWithinLimits(content.text);
    return content;
}

HelpLink ClassifyHelpLink(const QUrl& url, const QString& helpFileName) {
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return url.host().isEmpty() ? HelpLink::Ignored : HelpLink::Browser;
    if (!scheme.isEmpty() || !url.host().isEmpty()) return HelpLink::Ignored;
    const QString path = url.path();
    if (path.isEmpty() || path.compare(helpFileName, Qt::CaseInsensitive) == 0)
        return HelpLink::Anchor;
    return HelpLink::Ignored;
}
