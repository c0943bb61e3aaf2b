#include "platform/widgets/Widget.h"

#include <QWidget>

void Widget::setLeft(int px) { widget_->move(px, widget_->y()); }
void Widget::setTop(int px) { widget_->move(widget_->x(), px); }
void Widget::setWidth(int px) { widget_->resize(qMax(px, 0), widget_->height()); }
void Widget::setHeight(int px) { widget_->resize(widget_->width(), qMax(px, 0)); }
int Widget::left() const { return widget_->x(); }
int Widget::top() const { return widget_->y(); }
int Widget::width() const { return widget_->width(); }
int Widget::height() const { return widget_->height(); }

void Widget::setVisible(bool visible) { widget_->setVisible(visible); }
bool Widget::isVisible() const { return !widget_->isHidden(); }

void Widget::setBackground(Rgb colour) {
    QPalette palette = widget_->palette();
    palette.setColor(QPalette::Window, QColor(colour.red, colour.green, colour.blue));
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(true);
}

void Widget::setToolTip(const QString& text) { widget_->setToolTip(text); }
QString Widget::toolTip() const { return widget_->toolTip(); }
void Widget::setAccessibleName(const QString& name) { widget_->setAccessibleName(name); }

void Widget::setFont(const QString& family, double points) {
    QFont font = widget_->font();
    font.setFamily(family);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    widget_->setFont(font);
}

void Widget::setFontPoints(double points) {
    QFont font = widget_->font();
    font.setPointSizeF(points);
    widget_->setFont(font);
}

double Widget::fontPoints() const { return widget_->font().pointSizeF(); }

QString Widget::objectName() const { return widget_->objectName(); }
