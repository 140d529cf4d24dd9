// Small helpers the pages build their controls with: named tool bars, buttons and labels of a
// given size and font, and the coral colour of the program's titles.
#pragma once

#include "app/Navigator.h"

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QTableView>
#include <QVBoxLayout>

namespace pelagor::ui {

inline const QColor kCoral(255, 127, 80);

inline QString name(const char* text) {
    return QString::fromLatin1(text);
}
inline QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

inline void setFontPixels(QWidget* w, int pixels, bool bold = false) {
    QFont f = w->font();
    f.setPixelSize(pixels);
    f.setBold(bold);
    w->setFont(f);
}

// A horizontal bar of fixed height, named, with the given inner spacing.
inline QFrame* toolBar(QWidget* parent, const char* objectName, int height, int left = 0,
                       int right = 0) {
    auto* bar = new QFrame(parent);
    bar->setObjectName(name(objectName));
    bar->setFixedHeight(height);
    bar->setFrameShape(QFrame::NoFrame);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(left, 0, right, 0);
    layout->setSpacing(0);
    return bar;
}

inline QHBoxLayout* rowOf(QWidget* bar) {
    return static_cast<QHBoxLayout*>(bar->layout());
}

inline QPushButton* button(QWidget* parent, const char* objectName, const char* caption, int width,
                           int height, int fontPixels = 0) {
    auto* b = new QPushButton(text(caption), parent);
    b->setObjectName(name(objectName));
    if (width > 0) b->setFixedWidth(width);
    if (height > 0) b->setFixedHeight(height);
    if (fontPixels > 0) setFontPixels(b, fontPixels);
    return b;
}

inline QLabel* label(QWidget* parent, const char* objectName, const char* caption,
                     int fontPixels = 0, bool bold = false) {
    auto* l = new QLabel(text(caption), parent);
    l->setObjectName(name(objectName));
    if (fontPixels > 0) setFontPixels(l, fontPixels, bold);
    return l;
}

// Adds a widget to a row with margins left and right (and top and bottom, for labels).
inline void addWithMargins(QHBoxLayout* row, QWidget* w, int left, int right) {
    row->addSpacing(left);
    row->addWidget(w);
    row->addSpacing(right);
}

// A page laid out top to bottom, with the page control's inner spacing of 5 on every side.
inline QVBoxLayout* pageColumn(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->setSpacing(0);
    return layout;
}

// A navigator bar of the given buttons and height, added to a page.
inline Navigator* addNavigator(QWidget* page, QVBoxLayout* layout, const char* objectName,
                               int buttons, int height) {
    auto* nav = new Navigator(buttons, page);
    nav->setObjectName(name(objectName));
    nav->setFixedHeight(height);
    layout->addWidget(nav);
    return nav;
}

// A grid that fills the rest of a page.
inline QTableView* addGrid(QWidget* page, QVBoxLayout* layout, const char* objectName) {
    auto* grid = new QTableView(page);
    grid->setObjectName(name(objectName));
    layout->addWidget(grid, 1);
    return grid;
}

} // namespace pelagor::ui
