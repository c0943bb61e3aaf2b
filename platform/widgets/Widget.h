#pragma once

#include <QString>

class QWidget;

// A colour as the game names it, RGB(r, g, b).
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// What every widget of the main window offers the game: place and size in pixels
// of the window's inside, visibility, tooltip. The Qt widget itself belongs to
// its parent window; the wrapper only borrows it.
class Widget {
  public:
    virtual ~Widget() = default;
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    void setLeft(int px);
    void setTop(int px);
    void setWidth(int px);
    void setHeight(int px);
    int left() const;
    int top() const;
    int width() const;
    int height() const;

    // The widget's own visible flag; a child of a hidden window still counts as visible.
    void setVisible(bool visible);
    bool isVisible() const;

    // The colour behind the widget's contents (margins, empty areas).
    void setBackground(Rgb colour);

    void setToolTip(const QString& text);
    QString toolTip() const;
    // What assistive technology (a screen reader) calls the widget.
    void setAccessibleName(const QString& name);

    // Face by its usual name ("ＭＳ ゴシック"), size in points.
    void setFont(const QString& family, double points);
    void setFontPoints(double points);
    double fontPoints() const;

    QString objectName() const;
    QWidget* qwidget() const { return widget_; }

  protected:
    explicit Widget(QWidget* widget) : widget_(widget) {}
    QWidget* widget_;
};
