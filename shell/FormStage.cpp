#include "shell/FormStage.h"

#include "scenario/Ending.h"
#include "shell/Form1.h"
#include "shell/Form2.h"
#include "shell/Quit.h"
#include "shell/ReaderComforts.h"
#include "shell/SystemMenu.h"

namespace {

constexpr Rgb kCircleGrey{119, 119, 119};
constexpr int kCircleLineWidth = 2;

}  // namespace

class FormStage::Button : public StageButton {
  public:
    explicit Button(PushButton& button) : button_(button) {}
    void setCaption(const QString& caption) override { button_.setCaption(caption); }
    void setToolTip(const QString& toolTip) override { button_.setToolTip(toolTip); }
    bool setPicture(const QString& path) override { return button_.setPicture(path); }
    void clearPicture() override { button_.clearPicture(); }
    void setVisible(bool visible) override { button_.setVisible(visible); }
    void setStrikethrough(bool on) override { button_.setStrikethrough(on); }

  private:
    PushButton& button_;
};

class FormStage::Surface : public StageSurface {
  public:
    explicit Surface(PictureSurface& surface) : surface_(surface) {}
    bool loadPicture(const QString& path) override { return surface_.loadPicture(path); }
    int loadStrip(const QString& path, int height) override {
        return surface_.loadStrip(path, height);
    }
    void clearPicture() override { surface_.clearPicture(); }
    int pictureHeight() const override { return surface_.pictureHeight(); }
    void setWidth(int pixels) override { surface_.setWidth(pixels); }
    void setHeight(int pixels) override { surface_.setHeight(pixels); }
    void refresh() override { surface_.refresh(); }
    void copyFrom(const StageSurface& source, int sourceX, int sourceY, int width, int height,
                  int destX, int destY) override {
        // Every surface of this stage is one of these.
        const PictureSurface& from = static_cast<const Surface&>(source).surface_;
        surface_.copyFrom(from, sourceX, sourceY, width, height, destX, destY);
    }
    void drawCircle(int centreX, int centreY, int radius) override {
        surface_.drawCircle(centreX, centreY, radius, kCircleGrey, kCircleLineWidth);
    }

  private:
    PictureSurface& surface_;
};

FormStage::FormStage(Form1& form)
    : form_(form),
      picture1_(std::make_unique<Surface>(form.Picture1)),
      aniPic1_(std::make_unique<Surface>(form.AniPic1)),
      wrkPic1_(std::make_unique<Surface>(form.WrkPic1)),
      rpgPic1_(std::make_unique<Surface>(form.RpgPic1)) {
    for (int i = 0; i < form.Command1.count(); ++i)
        buttons_.push_back(std::make_unique<Button>(form.Command1[i]));
}

FormStage::~FormStage() = default;

void FormStage::setMessageText(const QString& text) {
    form_.Label1.setText(text);
    form_.comforts->messageRows.record(text);
    // Auto reading and skip end where the ending begins; its mark goes with the
    // first of its lines.
    if (EndingPlays()) form_.comforts->autoReading.stop();
}
StageButton& FormStage::Command1(int index) { return *buttons_.at(static_cast<size_t>(index)); }
StageSurface& FormStage::Picture1() { return *picture1_; }
StageSurface& FormStage::AniPic1() { return *aniPic1_; }
StageSurface& FormStage::WrkPic1() { return *wrkPic1_; }
StageSurface& FormStage::RpgPic1() { return *rpgPic1_; }
PeriodicTimer& FormStage::Animer1() { return form_.Animer1; }

void FormStage::ArrangeButtons() { ::ArrangeButtons(); }
void FormStage::ShowSystemMenu() { ::ShowSystemMenu(); }
void FormStage::ConfirmQuit() { ::ConfirmQuit(); }

void AttachShell() {
    SetStageProvider([]() -> Stage& { return *MainForm().stage; });
    SetSoundWindowProvider([]() -> SoundWindow& { return SoundForm(); });
}
