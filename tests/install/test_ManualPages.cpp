// The manual pages against the programs' own --help: the same options and the
// same exit statuses, so that a new option or status cannot be left out of one.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>

namespace {

struct ManualRow {
    const char* name;
    const char* program;
    const char* page;
};

const ManualRow kManuals[] = {
    {"Player", LANTERNWICK_GAME_BINARY, LANTERNWICK_MANUAL_DIR "/lanternwick.6"},
    {"Checker", LANTERNWICK_CHECKER_BINARY, LANTERNWICK_MANUAL_DIR "/lanternwick-check.1"},
};

// The lines of section `heading` of a man(7) page, without the hyphen escapes.
QString Section(const QString& page, const QString& heading) {
    QString text;
    bool inside = false;
    for (const QString& line : page.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String(".SH ")))
            inside = line.mid(4) == heading;
        else if (inside)
            text += line + QLatin1Char('\n');
    }
    return text.replace(QLatin1String("\\-"), QLatin1String("-"));
}

// Option names, --format=json counted as --format; `-h` for a short option.
QSet<QString> Options(const QString& text) {
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])(--[a-z][a-z-]*|-[a-z])\\b"));
    QSet<QString> found;
    for (const auto& match : option.globalMatch(text))
        found.insert(match.captured(1));
    return found;
}

QSet<QString> Numbers(const QString& text) {
    static const QRegularExpression number(QStringLiteral("\\b\\d+\\b"));
    QSet<QString> found;
    for (const auto& match : number.globalMatch(text))
        found.insert(match.captured());
    return found;
}

class ManualPage : public ::testing::TestWithParam<ManualRow> {};

TEST_P(ManualPage, NamesTheOptionsAndExitStatusesOfHelp) {
    const ManualRow& row = GetParam();
    QProcess program;
    program.start(QString::fromUtf8(row.program), {QStringLiteral("--help")});
    ASSERT_TRUE(program.waitForFinished(30000));
    ASSERT_EQ(program.exitCode(), 0);
    const QString help = QString::fromUtf8(program.readAllStandardOutput());
    QFile file(QString::fromUtf8(row.page));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << row.page;
    const QString page = QString::fromUtf8(file.readAll());

    EXPECT_EQ(Options(Section(page, QStringLiteral("OPTIONS"))),
              Options(help.section(QStringLiteral("Exit status:"), 0, 0)))
        << help.toStdString();

    const QString helpStatuses = help.section(QStringLiteral("Exit status:"), 1);
    ASSERT_FALSE(helpStatuses.isEmpty()) << help.toStdString();
    QString pageStatuses;
    const QStringList statusLines = Section(page, QStringLiteral("EXIT STATUS")).split('\n');
    for (qsizetype i = 1; i < statusLines.size(); ++i)
        if (statusLines[i - 1] == QLatin1String(".TP")) pageStatuses += statusLines[i] + ' ';
    EXPECT_EQ(Numbers(pageStatuses), Numbers(helpStatuses)) << help.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Programs, ManualPage, ::testing::ValuesIn(kManuals),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
