#pragma once
// The frame around the control that holds the keyboard focus on a skinned window.
//
// The skins paint their text boxes and the word list black on black bars, with nothing that
// changes when the focus moves: a reader of the keyboard could not tell where the next key goes.
// The frame is a ring drawn just outside the control, in the accent of the window's look (blue,
// green or garnet), over everything else on the window and never in the way of the pointer. It
// frames only the controls Tab reaches (text boxes, the list and its search line); a panel that
// takes the focus only to know when it loses it is no place for keys.
//
// Qt's own QFocusFrame is placed by the style's rules, under the control and inside the
// control's parent, where the word list's edges would cut it; this one lives on the window.
#include <QColor>
#include <QPointer>
#include <QWidget>
#include <functional>

class MarcoFoco : public QWidget {
    Q_OBJECT
public:
    // Space between the control and the ring, and the ring's width, in pixels.
    static constexpr int kSeparacion = 1;
    static constexpr int kGrosor = 2;

    // `color` is asked at every paint, so the frame follows the look as the direction changes.
    MarcoFoco(QWidget* ventana, std::function<QColor()> color);

    // The control framed now, or nullptr (the frame is then hidden).
    QWidget* Control() const { return control_; }
    QColor Color() const { return color_(); }

protected:
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* e) override;

private:
    void seguir();
    void ubicar();
    void soltar();

    std::function<QColor()> color_;
    QPointer<QWidget> control_;
    // The control and its parents up to the window: a move of any of them moves the control.
    QList<QPointer<QWidget>> vigilados_;
};
