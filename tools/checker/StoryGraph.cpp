#include <QSet>
#include <QStringList>

#include "CheckerParts.h"
#include "scenario/ArgumentRules.h"

namespace {

QString DotText(QString text) {
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// Faults are drawn the same way everywhere: red and dashed.
const QString kFaultStyle = QStringLiteral("color=red, fontcolor=red, style=dashed");

class GraphWriter {
  public:
    GraphWriter(const Model& model, const std::vector<bool>& reached)
        : model_(model), reached_(reached) {}

    QString write() {
        out_ << QStringLiteral("digraph story {");
        out_ << QStringLiteral("  rankdir=LR;");
        // The proportional face: the fixed-pitch one loses its underscores in
        // Graphviz's pictures, and every label begins with one.
        out_ << QStringLiteral("  node [shape=box, fontname=\"IPAPGothic\"];");
        out_ << QStringLiteral("  edge [fontname=\"IPAPGothic\", fontsize=10];");
        out_ << QStringLiteral("  start [label=\"最初から遊ぶ\", shape=oval];");
        const QHash<int, ChoiceWaitInfo> waits = ChoiceWaits(model_);
        QString section = QStringLiteral("start");
        for (int i = 0; i < model_.size(); ++i) {
            const ModelLine& line = model_.at(i);
            if (line.kind == LineKind::Label) {
                section = labelNode(line.line.text, i);
                continue;
            }
            if (!line.command) continue;
            const QString rest = line.line.restOfLine();
            switch (line.command->role) {
                case Role::Jump: {
                    const Checked<int16_t> target = NextTarget(rest);
                    if (!target || *target == 0) break;
                    if (*target == -1) {
                        edge(section, ending(QStringLiteral("scenario_end"),
                                             QStringLiteral("シナリオ正常終了 (next -1)")));
                    } else {
                        edge(section, target_(*target), QStringLiteral("next"), faulty(*target));
                    }
                    break;
                }
                case Role::ChoiceWait:
                    for (const ChoiceButton& button : waits.value(i).buttons) {
                        if (button.label == 0) continue;
                        const QString to =
                            button.label == -1
                                ? ending(QStringLiteral("scenario_end"),
                                         QStringLiteral("シナリオ正常終了 (next -1)"))
                                : target_(button.label);
                        edge(section, to, button.caption, faulty(button.label));
                    }
                    break;
                case Role::Routine: {
                    const QString name = rest.toLower();
                    if (name == QLatin1String("rtb3")) {
                        edge(section, ending(QStringLiteral("ending"),
                                             QStringLiteral("エンディング (rtb3)")));
                    } else if (name == QLatin1String("render")) {
                        edge(section,
                             ending(QStringLiteral("quit"), QStringLiteral("終了の確認 (render)")));
                    }
                    break;
                }
                case Role::Halt:
                    edge(section, ending(QStringLiteral("halt"), QStringLiteral("停止 (botrpg)")));
                    break;
                default: break;
            }
        }
        out_ << QStringLiteral("}");
        return out_.join(QLatin1Char('\n')) + QLatin1Char('\n');
    }

  private:
    // The node of a label line, declared where it stands in the file.
    QString labelNode(const QString& text, int i) {
        const QString node = DotText(text);
        if (model_.labels.value(text) != i) return node;  // a duplicate is never landed on
        declared_.insert(text);
        if (afterEnd(i)) {
            out_ << QStringLiteral("  %1 [label=%2, %3];")
                        .arg(node, DotText(text + QStringLiteral("（終了行の後）")), kFaultStyle);
            return node;
        }
        const bool fromStart =
            i + 1 < static_cast<int>(reached_.size()) && reached_[static_cast<size_t>(i + 1)];
        out_ << QStringLiteral("  %1 [label=%1%2];")
                    .arg(node, fromStart ? QString() : QStringLiteral(", ") + kFaultStyle);
        if (text == LabelLineText(1)) out_ << QStringLiteral("  start -> %1;").arg(node);
        return node;
    }

    // A label line after the end line: a search for it stops at the end line first.
    bool afterEnd(int i) const { return model_.firstEnd >= 0 && i > model_.firstEnd; }

    // Whether a jump to label `n` fails: the label is missing, or stands after the end line.
    bool faulty(int n) const {
        if (n == 0 || n == -1) return false;
        const int target = model_.labelLine(n);
        return target < 0 || afterEnd(target);
    }

    // The node a jump to label `n` lands on; a label the file lacks is drawn as a fault.
    QString target_(int n) {
        const QString text = LabelLineText(n);
        const QString node = DotText(text);
        if (model_.labelLine(n) < 0 && !missing_.contains(text)) {
            missing_.insert(text);
            out_ << QStringLiteral("  %1 [label=%2, %3];")
                        .arg(node, DotText(text + QStringLiteral("（ありません）")), kFaultStyle);
        }
        return node;
    }

    QString ending(const QString& node, const QString& label) {
        if (!endings_.contains(node)) {
            endings_.insert(node);
            out_ << QStringLiteral(
                        "  %1 [label=%2, shape=box, style=\"rounded,bold\", peripheries=2];")
                        .arg(node, DotText(label));
        }
        return node;
    }

    void edge(const QString& from, const QString& to, const QString& label = QString(),
              bool fault = false) {
        QStringList attributes;
        if (!label.isEmpty()) attributes << QStringLiteral("label=") + DotText(label);
        if (fault) attributes << kFaultStyle;
        out_ << (attributes.isEmpty()
                     ? QStringLiteral("  %1 -> %2;").arg(from, to)
                     : QStringLiteral("  %1 -> %2 [%3];").arg(from, to, attributes.join(", ")));
    }

    const Model& model_;
    const std::vector<bool>& reached_;
    QStringList out_;
    QSet<QString> declared_, missing_, endings_;
};

}  // namespace

QString StoryGraphOf(const Model& model, const std::vector<bool>& reached) {
    return GraphWriter(model, reached).write();
}
