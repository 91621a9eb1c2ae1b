#include "platform/Controls.h"

#include "platform/Twips.h"

#include <QMouseEvent>
#include <QPainter>

namespace controls {

QColor FromBGR(uint32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QString Name(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

void Place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(twips::ToPixels(left), twips::ToPixels(top), twips::ToPixels(width),
                   twips::ToPixels(height));
}

void WidenToText(QLabel* l) {
    const int room = l->fontMetrics().horizontalAdvance(l->text()) + 4;
    if (room > l->width()) l->resize(room, l->height());
}

QFont Font(double points, bool bold, bool italic, const char* family) {
    QFont f(QString::fromLatin1(family));
    f.setStyleHint(QFont::SansSerif);
    // Points at the skins' 96 dots per inch, whatever the screen reports, so text fits the
    // 640 x 480 designs the same way everywhere.
    f.setPixelSize(static_cast<int>(twips::RoundHalfEven(points * 96.0 / 72.0)));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

int Button(Qt::MouseButtons b) {
    int v = 0;
    if (b & Qt::LeftButton) v |= 1;
    if (b & Qt::RightButton) v |= 2;
    if (b & Qt::MiddleButton) v |= 4;
    return v;
}

int Shift(Qt::KeyboardModifiers m) {
    int v = 0;
    if (m & Qt::ShiftModifier) v |= 1;
    if (m & Qt::ControlModifier) v |= 2;
    if (m & Qt::AltModifier) v |= 4;
    return v;
}

namespace {

double tw(double px) {
    return px * twips::kPerPixel;
}

// The mouse as the designs' controls report it, for a Label and a PictureBox alike: buttons and
// shift state numbered, the position in twips relative to the control, and a click only when the
// left button goes down and comes up on the control.
template <class Control> void ReportMouse(Control* control, QMouseEvent* e, bool& pressed) {
    const double x = tw(e->position().x()), y = tw(e->position().y());
    switch (e->type()) {
    case QEvent::MouseMove:
        emit control->MouseMove(Button(e->buttons()), Shift(e->modifiers()), x, y);
        break;
    case QEvent::MouseButtonPress:
        pressed = true;
        emit control->MouseDown(Button(e->button()), Shift(e->modifiers()), x, y);
        break;
    case QEvent::MouseButtonRelease: {
        emit control->MouseUp(Button(e->button()), Shift(e->modifiers()), x, y);
        const bool click =
            pressed && e->button() == Qt::LeftButton && control->rect().contains(e->position().toPoint());
        pressed = false;
        if (click) emit control->Click();
        break;
    }
    case QEvent::MouseButtonDblClick:
        if (e->button() == Qt::LeftButton) emit control->DblClick();
        break;
    default:
        break;
    }
}

} // namespace

Label::Label(QWidget* parent, const QString& name, const QString& caption) : QLabel(caption, parent) {
    setObjectName(name);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFont(Font(8.25));
    SetForeColor(vbWhite);
}

void Label::SetForeColor(uint32_t bgr) {
    foreColor_ = bgr;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, FromBGR(bgr));
    setPalette(p);
}

void Label::SetUnderline(bool on) {
    QFont f = font();
    f.setUnderline(on);
    setFont(f);
}

void Label::setText(const QString& c) {
    QLabel::setText(c);
    Fit();
}

void Label::FitToWidth(double floorPoints) {
    floor_ = floorPoints;
    Fit();
}

void Label::Fit() {
    fittedFont_ = font();
    fittedText_ = measuredText_ = text();
    if (floor_ <= 0) return;
    const int room = contentsRect().width();
    // The design fonts are sized in pixels (Font): shrink a pixel at a time down to the floor.
    QFont f = font();
    const int floorPixels = Font(floor_).pixelSize();
    while (f.pixelSize() > floorPixels && QFontMetricsF(f).horizontalAdvance(text()) > room)
        f.setPixelSize(f.pixelSize() - 1);
    fittedFont_ = f;
    fittedText_ = QFontMetrics(f).elidedText(text(), Qt::ElideRight, room);
    const bool whole = fittedText_ == text() && f.pixelSize() == font().pixelSize();
    if (!whole) {
        if (toolTip().isEmpty() || toolTip() == ownTip_) setToolTip(ownTip_ = text());
    } else if (!ownTip_.isEmpty() && toolTip() == ownTip_) {
        setToolTip(QString());
        ownTip_.clear();
    }
    update();
}

void Label::paintEvent(QPaintEvent* e) {
    if (floor_ <= 0) {
        QLabel::paintEvent(e);
        return;
    }
    if (measuredText_ != text()) Fit(); // changed through QLabel itself
    QPainter p(this);
    p.setFont(fittedFont_);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(contentsRect(), static_cast<int>(alignment()) | Qt::TextSingleLine, fittedText_);
}

void Label::resizeEvent(QResizeEvent* e) {
    QLabel::resizeEvent(e);
    Fit();
}

void Label::changeEvent(QEvent* e) {
    QLabel::changeEvent(e);
    if (e->type() == QEvent::FontChange) Fit();
}

void Label::mouseMoveEvent(QMouseEvent* e) {
    ReportMouse(this, e, pressed_);
}
void Label::leaveEvent(QEvent* e) {
    QLabel::leaveEvent(e);
    emit MouseLeave();
}
void Label::mousePressEvent(QMouseEvent* e) {
    ReportMouse(this, e, pressed_);
}
void Label::mouseReleaseEvent(QMouseEvent* e) {
    ReportMouse(this, e, pressed_);
}
void Label::mouseDoubleClickEvent(QMouseEvent* e) {
    ReportMouse(this, e, pressed_);
}

PictureBox::PictureBox(QWidget* parent, const QString& name) : QWidget(parent) {
    setObjectName(name);
    setMouseTracking(true);
}

void PictureBox::SetPicture(const QPixmap& p) {
    picture_ = p;
    update();
}

void PictureBox::SetStretch(bool s) {
    stretch_ = s;
    update();
}

void PictureBox::SetBackColor(uint32_t bgr) {
    hasBack_ = true;
    back_ = FromBGR(bgr);
    update();
}

void PictureBox::SetCapture() {
    grabMouse();
}

void PictureBox::ReleaseCapture() {
    if (QWidget* g = QWidget::mouseGrabber()) g->releaseMouse();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (hasBack_) p.fillRect(rect(), back_);
    if (picture_.isNull()) return;
    if (stretch_)
        p.drawPixmap(rect(), picture_);
    else
        p.drawPixmap(0, 0, picture_);
}

void PictureBox::mouseMoveEvent(QMouseEvent* e) {
    ReportMouse(this, e, pressed_);
}
void PictureBox::mousePressEvent(QMouseEvent* e) {
    ReportMouse(this, e, pressed_);
}
void PictureBox::mouseReleaseEvent(QMouseEvent* e) {
    ReportMouse(this, e, pressed_);
}
void PictureBox::mouseDoubleClickEvent(QMouseEvent* e) {
    ReportMouse(this, e, pressed_);
}
void PictureBox::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    emit LostFocus();
}

} // namespace controls
