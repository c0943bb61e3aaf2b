#include "ScenarioChecker.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>

#include "CheckerParts.h"
#include "scenario/ArgumentRules.h"
#include "scenario/RunScenario.h"

namespace {

// A path as a shell reads it back.
QString ShellWord(const QString& path) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+-]+$"));
    if (plain.match(path).hasMatch()) return path;
    return QLatin1Char('\'') + QString(path).replace(QLatin1String("'"), QLatin1String("'\\''")) +
           QLatin1Char('\'');
}

void CheckEncoding(const Model& model, const QString& file, Reporter& report) {
    if (!model.encoding) return;
    const EncodingFault& fault = *model.encoding;
    const QString path = ShellWord(file);
    const QString converted = ShellWord(file + QStringLiteral(".sjis"));
    if (fault.utf8) {
        report.error(fault.line - 1, fault.column, "encoding",
                     QStringLiteral("ファイルが UTF-8 で保存されています。プレイヤーは Shift-JIS"
                                    "（CP932）で読むので、文字化けします。変換するには: "
                                    "iconv -f UTF-8 -t CP932 %1 > %2 && mv %2 %1")
                         .arg(path, converted));
    } else {
        report.error(fault.line - 1, fault.column, "encoding",
                     QStringLiteral("Shift-JIS（CP932）として読めない文字があります。プレイヤーは"
                                    "文字化けして表示します。元の文字コード（例えば EUC-JP）から"
                                    "変換するには: iconv -f EUC-JP -t CP932 %1 > %2 && mv %2 %1")
                         .arg(path, converted));
    }
}

struct GameFolderDuringCheck {
    explicit GameFolderDuringCheck(const QString& dir) { SetGameFolder(dir); }
    ~GameFolderDuringCheck() { SetGameFolder(QString()); }
};

}  // namespace

void CheckLabels(const Model& model, Reporter& report) {
    const QString searchError = QString::fromUtf16(kLabelSearchErrorMessage);
    if (model.firstEnd < 0) {
        report.error(model.size() - 1, 1, "missing-end",
                     QStringLiteral("終了行「_」がありません。ファイルの最後の行は「_」だけに"
                                    "してください。"));
    }
    if (model.labelLine(1) < 0) {
        report.error(0, 1, "no-start",
                     QStringLiteral("ラベル「_00001」がありません。「最初から遊ぶ」はここから"
                                    "始まります。"));
    }

    // The labels some jump or choice names, wherever it stands.
    QSet<QString> named{LabelLineText(1)};
    for (const ModelLine& line : model.lines) {
        if (line.has(Role::Jump)) {
            if (const auto target = NextTarget(line.line.restOfLine()))
                named.insert(LabelLineText(*target));
        } else if (line.has(Role::ChoiceTargets)) {
            if (const auto targets = ChoiceTargetFields(line.line)) {
                for (int16_t target : *targets)
                    named.insert(LabelLineText(target));
            }
        }
    }

    for (int i = 0; i < model.size(); ++i) {
        if (model.at(i).kind != LineKind::Label) continue;
        const QString& text = model.at(i).line.text;
        const int first = model.labels.value(text);
        if (first != i) {
            report.warning(i, 1, "duplicate-label",
                           QStringLiteral("ラベル「%1」は %2 行目にもあります。飛ぶと必ず先の方に"
                                          "着くので、この行には着きません。")
                               .arg(text, QString::number(model.at(first).line.number)));
        } else if (!named.contains(text)) {
            report.warning(
                i, 1, "unreached-label",
                QStringLiteral("ラベル「%1」へ飛ぶ next も nextbot もありません。").arg(text));
        }
        if (model.firstEnd >= 0 && i > model.firstEnd) {
            report.error(
                i, 1, "label-after-end",
                QStringLiteral("ラベル「%1」が終了行「_」（%2 行目）の後にあります。"
                               "ここへ飛ぶと、探す途中で「%3」になります。")
                    .arg(text, QString::number(model.at(model.firstEnd).line.number), searchError));
        }
    }
}

int CheckReport::errors() const {
    return static_cast<int>(std::count_if(findings.begin(), findings.end(), [](const Finding& f) {
        return f.severity == Finding::Severity::Error;
    }));
}

int CheckReport::warnings() const {
    return static_cast<int>(std::count_if(findings.begin(), findings.end(), [](const Finding& f) {
        return f.severity == Finding::Severity::Warning;
    }));
}

CheckReport CheckScenario(const QString& given) {
    const ScenarioPaths paths = LocateScenario(given);
    std::optional<Model> model = ReadModel(paths);
    if (!model) {
        CheckReport report;
        report.path = paths.file;
        return report;
    }
    return CheckModel(std::make_shared<const Model>(std::move(*model)), paths.file);
}

CheckReport CheckModel(std::shared_ptr<const Model> model, const QString& path, WithGraph graph,
                       TextWidths* widths) {
    CheckReport report;
    report.path = path;
    report.readable = true;
    // Pictures and waves are read from this game's folder only, as the player does.
    const GameFolderDuringCheck folder(model->dir);
    FindingList list(model->size());
    Reporter reporter(*model, list);
    FolderIndex files(model->dir);
    CheckEncoding(*model, path, reporter);
    CheckGameFiles(files, reporter);
    CheckLabels(*model, reporter);
    TextWidths once;
    CheckLines(*model, files, widths ? *widths : once, reporter);
    const std::vector<bool> reached = CheckFlow(*model, reporter);
    report.findings = list.inLineOrder();
    if (graph == WithGraph::Yes) report.graph = StoryGraphOf(*model, reached);
    report.model = std::move(model);
    return report;
}

void CountColumnsIn(CheckReport& report, ColumnUnit unit) {
    if (!report.model) return;
    const Model& model = *report.model;
    for (Finding& f : report.findings) {
        if (f.column <= 0 || f.line < 1 || f.line > model.size()) continue;
        const bool encoding =
            f.code == QLatin1String("encoding") && model.encoding && model.encoding->line == f.line;
        // A file saved as UTF-8 is shown by the editor as UTF-8, not as the
        // reader's Shift-JIS misreading of it.
        const QString& text = encoding ? model.encoding->text : model.at(f.line - 1).line.text;
        f.column = ColumnIn(text, f.column, unit);
    }
}

QString StoryGraph(const QString& given) { return CheckScenario(given).graph; }
