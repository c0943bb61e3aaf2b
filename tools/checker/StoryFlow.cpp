#include <QHash>

#include <map>

#include "CheckerParts.h"
#include "scenario/ArgumentRules.h"
#include "scenario/RunFlow.h"

namespace {

// What may hold on some path to a line (bits, joined by or).
constexpr uint8_t kMusicOpen = 1;         // a voice there is skipped
constexpr uint8_t kButtonsUncleared = 2;  // buttons reset by the menu or a click, no `botcls` since
// A one-shot music may still play: read quickly, nothing but its own end stops
// it (`bgm v` does not), a voice is skipped and a `bgm` waits for it.
constexpr uint8_t kOneShotMayPlay = 4;

// The commands that end a run, as the table says, for the loop-out message.
QString RunEndingWords() {
    QStringList words;
    for (const Command& command : CommandTable()) {
        if (command.afterwards == Afterwards::Stops) words << CommandName(command);
    }
    return words.join(QStringLiteral("、"));
}

class Flow {
  public:
    Flow(const Model& model, Reporter& report)
        : model_(model),
          report_(report),
          waits_(ChoiceWaits(model)),
          state_(static_cast<size_t>(model.size() + 1), 0),
          reached_(static_cast<size_t>(model.size() + 1), false),
          runStart_(static_cast<size_t>(model.size() + 1), false) {}

    // A run that starts at line `i` with `bits` holding.
    void enter(int i, uint8_t bits) {
        runStart_[static_cast<size_t>(i)] = true;
        merge(i, bits);
        while (!pending_.empty()) {
            const int k = pending_.back();
            pending_.pop_back();
            visit(k);
        }
    }

    bool reached(int i) const { return reached_[static_cast<size_t>(i)]; }
    const std::vector<bool>& reachedLines() const { return reached_; }

    // Every run that can start somewhere reached: at most 100 lines each.
    void checkRuns() {
        const QString words = RunEndingWords();
        for (int i = 0; i < model_.size(); ++i) {
            if (runStart_[static_cast<size_t>(i)] && reached(i)) checkBudget(i, words);
        }
    }

  private:
    void merge(int i, uint8_t bits) {
        const size_t k = static_cast<size_t>(i);
        if (reached_[k] && (bits & ~state_[k]) == 0) return;
        const bool first = !reached_[k];
        reached_[k] = true;
        state_[k] |= bits;
        if (first && i < model_.size()) readInto(i);
        if (i < model_.size()) pending_.push_back(i);
    }

    // Reading on into a label or the end line: the player takes neither as a command.
    void readInto(int i) {
        const ModelLine& line = model_.at(i);
        if (line.kind != LineKind::Label && line.kind != LineKind::End) return;
        report_.error(i, 1, "read-into-label",
                      QStringLiteral("前の行からそのまま読み進むと、この%1行はプレイヤーに"
                                     "「はｻﾎﾟｰﾄしていません!」と言われます。前で next などで"
                                     "飛ぶか、止めてください。")
                          .arg(line.kind == LineKind::Label ? QStringLiteral("ラベル")
                                                            : QStringLiteral("終了")));
    }

    int landing(int label) const {
        if (label == 0 || label == -1) return -1;
        const int target = model_.labelLine(label);
        return target < 0 ? -1 : target + 1;
    }

    void visit(int i) {
        const ModelLine& line = model_.at(i);
        uint8_t bits = state_[static_cast<size_t>(i)];
        const QString rest = line.line.restOfLine();
        auto goOn = [&](int next, bool newRun) {
            if (next < 0) return;
            if (newRun) runStart_[static_cast<size_t>(next)] = true;
            if (next == model_.size()) {
                report_.error(i, 1, "off-end",
                              QStringLiteral("この行の後でファイルが終わっていて、次に読む行が"
                                             "ありません。"));
            }
            merge(next, bits);
        };
        if (!line.command) return goOn(i + 1, false);
        switch (line.command->role) {
            case Role::Jump: {
                const Checked<int16_t> target = NextTarget(rest);
                if (!target || *target == -1) return;
                return goOn(*target == 0 ? i + 1 : landing(*target), false);
            }
            case Role::ChoiceWait: return choose(i, bits, goOn);
            case Role::Halt: return;
            case Role::LoopingMusic:
                if (rest == QLatin1String("v")) {
                    bits &= ~kMusicOpen;
                    break;
                }
                if (bits & kOneShotMayPlay) {
                    report_.warning(
                        i, 1, "under-one-shot",
                        QStringLiteral("ここへ来る道のどこかで鳴らした一度だけの音楽"
                                       "（music）が、読む速さによってはまだ鳴っています。"
                                       "この音楽はそれが終わってから、最初から鳴ります。"));
                }
                bits |= kMusicOpen;
                break;
            case Role::OneShotMusic: bits |= kOneShotMayPlay; break;
            case Role::ClearButtons: bits &= ~kButtonsUncleared; break;
            case Role::DisplayMode: bits |= kButtonsUncleared; break;
            case Role::Voice:
                if (bits & kOneShotMayPlay) {
                    report_.warning(
                        i, 1, "under-one-shot",
                        QStringLiteral("ここへ来る道のどこかで鳴らした一度だけの音楽"
                                       "（music）が、読む速さによってはまだ鳴っています。"
                                       "声は鳴らずに飛ばされます。「bgm      v」では"
                                       "止まりません。声は music の前に置くか、"
                                       "音を say で鳴らしてください。"));
                } else if (bits & kMusicOpen) {
                    report_.warning(
                        i, 1, "voice-under-music",
                        QStringLiteral("ここへ来る道のどこかで開いた音楽（bgm）が、"
                                       "まだ開いているかもしれません。声は"
                                       "鳴らずに飛ばされます。前に「bgm      v」で音楽を"
                                       "閉じてください。"));
                }
                break;
            default: break;
        }
        if (AfterwardsOf(line.command) == Afterwards::Returns) return;
        goOn(i + 1, EndsTheRun(line.command));
    }

    template <typename GoOn>
    void choose(int i, uint8_t& bits, GoOn& goOn) {
        if (bits & kButtonsUncleared) {
            report_.warning(i, 1, "buttons-not-cleared",
                            QStringLiteral("ここへ来る道のどこかで、システムメニューか前の選択で"
                                           "出たボタンが botcls で消されていません。文字のない"
                                           "ボタンを押すと、選ばずに先へ進みます。"));
        }
        // A click resets every button, as the system menu does.
        bits |= kButtonsUncleared;
        const ChoiceWaitInfo& wait = waits_.value(i);
        bool goesOn = !wait.cleared;
        for (const ChoiceButton& button : wait.buttons) {
            if (button.label == 0) goesOn = true;
            goOn(landing(button.label), true);
        }
        if (goesOn) goOn(i + 1, true);
    }

    void checkBudget(int start, const QString& words) {
        LineBudget budget;
        int i = start;
        int last = start;
        while (budget.more()) {
            if (i >= model_.size()) return;  // reported as running off the end
            const ModelLine& line = model_.at(i);
            const Afterwards afterwards = AfterwardsOf(line.command);
            if (afterwards == Afterwards::Returns) return;
            int next = i + 1;
            if (line.has(Role::Jump)) {
                const Checked<int16_t> target = NextTarget(line.line.restOfLine());
                if (!target || *target == -1) return;
                if (*target != 0) {
                    next = landing(*target);
                    if (next < 0) return;  // reported as a missing label
                }
            }
            budget.spend(afterwards);
            last = i;
            i = next;
        }
        if (!budget.ranOut()) return;
        const QString loopOut = QString::fromUtf16(kLoopOutMessage);
        report_.error(start, 1, "loop-out",
                      QStringLiteral("ここから読み始めると、待つ命令（%1）なしに 100 行を読むので、"
                                     "プレイヤーは「%2」で終わります。")
                          .arg(words, loopOut));
        QString where = QStringLiteral("ここが 100 行目です。");
        if (EndsTheRun(model_.at(last).command))
            where += QStringLiteral("待つ命令でも、100 行目では「%1」を防げません。").arg(loopOut);
        report_.note(start, last, "loop-out", where);
    }

    const Model& model_;
    Reporter& report_;
    QHash<int, ChoiceWaitInfo> waits_;
    std::vector<uint8_t> state_;
    std::vector<bool> reached_;
    std::vector<bool> runStart_;
    std::vector<int> pending_;
};

}  // namespace

QHash<int, ChoiceWaitInfo> ChoiceWaits(const Model& model) {
    QHash<int, ChoiceWaitInfo> out;
    std::optional<std::array<int16_t, kChoiceTargetFields>> targets;
    std::map<int, QString> shown;
    bool cleared = false;
    for (int i = 0; i < model.size(); ++i) {
        const ModelLine& line = model.at(i);
        if (line.kind == LineKind::Label) {
            // A section's buttons are its own: what came before the label may not
            // have been read on the way here.
            targets.reset();
            shown.clear();
            cleared = false;
            continue;
        }
        if (!line.command) continue;
        switch (line.command->role) {
            case Role::ChoiceTargets:
                if (auto parsed = ChoiceTargetFields(line.line)) targets = *parsed;
                break;
            case Role::ClearButtons:
                shown.clear();
                cleared = true;
                break;
            case Role::ButtonCaption:
            case Role::ButtonPicture:
                if (auto fields = ParseCommaForm(line.line)) {
                    if (auto index = ButtonIndex(fields->index, "")) {
                        const bool caption =
                            line.has(Role::ButtonCaption) && !fields->text.isEmpty();
                        shown[*index] = caption ? fields->text : fields->toolTip;
                    }
                }
                break;
            case Role::ChoiceWait: {
                ChoiceWaitInfo wait;
                wait.cleared = cleared;
                for (const auto& [button, caption] : shown) {
                    const int label = (targets && button < kChoiceTargetFields)
                                          ? (*targets)[static_cast<size_t>(button)]
                                          : 0;
                    wait.buttons.push_back({button, label, caption});
                }
                out.insert(i, wait);
                shown.clear();
                cleared = false;
                break;
            }
            default: break;
        }
    }
    return out;
}

std::vector<bool> CheckFlow(const Model& model, Reporter& report) {
    Flow flow(model, report);
    // The title music is still looping when New Game reaches label 1, and the
    // system menu's buttons are up.
    const int start = model.labelLine(1);
    if (start >= 0) flow.enter(start + 1, kMusicOpen | kButtonsUncleared);
    const std::vector<bool> fromStart = flow.reachedLines();
    // Parts of the story no jump reaches yet are read from their labels, as if
    // entered with the music closed and the buttons cleared.
    for (int i = 0; i < model.size(); ++i) {
        const ModelLine& line = model.at(i);
        if (line.kind == LineKind::Label && model.labels.value(line.line.text) == i &&
            !flow.reached(i + 1)) {
            flow.enter(i + 1, 0);
        }
    }
    flow.checkRuns();
    return fromStart;
}
