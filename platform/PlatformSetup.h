#pragma once

#include <QString>

#include <memory>

// Brings up the windowing platform for the program: the application object, the
// Japanese faces the game asks for by their usual names, one widget style.
class PlatformApplication {
  public:
    // Ends the process with one clear line on standard error when no display can
    // be opened, instead of the toolkit's abort.
    PlatformApplication(int& argc, char** argv);
    ~PlatformApplication();
    PlatformApplication(const PlatformApplication&) = delete;
    PlatformApplication& operator=(const PlatformApplication&) = delete;

    // Runs the event loop until the program ends.
    int exec();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The screen's horizontal twips (1/1440 inch) per pixel: 15 at 96 dpi.
double ScreenTwipsPerPixelX();
