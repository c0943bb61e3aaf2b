#pragma once

#include <QString>

#include <memory>

class QGuiApplication;

// How wide texts come out on screen, in the game's faces, without any window:
// the message label lays out its rows with these insets, and the scenario checker
// measures the scenario's texts with the same numbers.

// Maps the faces the game asks for by their usual names ("ＭＳ Ｐ明朝",
// "ＭＳ ゴシック", "ＭＳ Ｐゴシック") to the IPA faces. Needs a GUI application.
void InstallGameFaces();

// The application object of a program that measures text and shows no window
// (the scenario checker): the offscreen platform unless another is asked for,
// and the game's faces.
class MeasuringApplication {
  public:
    MeasuringApplication(int& argc, char** argv);
    ~MeasuringApplication();
    MeasuringApplication(const MeasuringApplication&) = delete;
    MeasuringApplication& operator=(const MeasuringApplication&) = delete;

  private:
    std::unique_ptr<QGuiApplication> app_;
};

// The message label's frame (1 px each side) and its text's margins: 2 px on the
// left, 1 on the right.
inline constexpr int kLabelLeftInset = 1 + 2;
inline constexpr int kLabelRightInset = 1 + 1;

// The width in pixels of `text` as one row in the given face.
double TextRowWidth(const QString& text, const QString& family, double points);

// The room for a row inside a label `labelWidth` pixels wide.
int LabelRowRoom(int labelWidth);

// The room for a caption on a push button `buttonWidth` pixels wide: its bevel
// and the style's margins take 4 px on each side, and what is wider is cut off.
int ButtonCaptionRoom(int buttonWidth);
