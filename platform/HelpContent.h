#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// What the help window shows of the help file, and what it does with its links.
// A help file comes with the game, so it is read like any of the game's files
// and shown only in a form Qt's layout handles at once.

// Larger help files are shown up to this many bytes.
inline constexpr int kLongestHelpBytes = 1024 * 1024;
// HTML is laid out only up to these sizes; beyond them it is shown as plain text.
// Qt lays out a table cell in time that doubles with each table around it, and
// a third of a millisecond per cell even in a flat table: cells are counted,
// each as 2^(tables around it - 1), up to a budget laid out in well under a
// second.
inline constexpr int kLongestHtmlCharacters = 256 * 1024;
inline constexpr int kDeepestTables = 8;
inline constexpr int kDeepestNesting = 64;
inline constexpr int kTableCellBudget = 2000;

struct HelpContent {
    QString text;
    bool html = false;
};

// The help file's text (UTF-8, or Shift-JIS when it is no valid UTF-8), as HTML
// when it looks like HTML and stays within the limits above. Nothing when the
// file is missing, no game file, or unreadable.
std::optional<HelpContent> LoadHelpContent(const QString& fileName);

// Whether `html` stays within the limits above.
bool HtmlWithinLimits(const QString& html);

// A click on a link: links within the help file move to their anchor; http and
// https open in the desktop's browser; every other scheme (file, ssh, mailto,
// javascript, ...) and any other file is ignored.
enum class HelpLink { Anchor, Browser, Ignored };
HelpLink ClassifyHelpLink(const QUrl& url, const QString& helpFileName);
