#pragma once

#include <QHash>
#include <QString>

#include <vector>

// The widths of text rows in the game's fonts, each text measured once. Shaping
// text is most of what a check costs, and a language server checks the whole
// scenario at every change: kept from one check to the next, the widths of the
// lines that did not change are looked up instead of measured again.
class TextWidths {
  public:
    // TextRowWidth of `text` in `family` at `points`.
    double row(const QString& text, const QString& family, double points);

  private:
    struct Face {
        QString family;
        double points = 0;
        QHash<QString, double> widths;
    };
    std::vector<Face> faces_;
    qsizetype kept_ = 0;
};
