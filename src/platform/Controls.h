#pragma once
// The controls of the window designs: labels and picture boxes that report mouse moves in twips
// relative to themselves (the unit the hover rules are written in), clicks and double clicks.
// Each is a child widget whose objectName is the design's control name, with the index in
// parentheses for control arrays: "pctBoton(3)", "lblOpciones(0)".
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <cstdint>

namespace controls {

// Colours are kept as the designs keep them, 0x00BBGGRR.
inline constexpr uint32_t vbWhite = 0x00FFFFFF;
inline constexpr uint32_t vbRed = 0x000000FF;
inline constexpr uint32_t vbYellow = 0x0000FFFF;
inline constexpr uint32_t vbBlack = 0x00000000;
QColor FromBGR(uint32_t bgr);

// "name(index)" for an element of a control array.
QString Name(const char* name, int index);
// Places a widget at a design position in twips, relative to its parent.
void Place(QWidget* w, int left, int top, int width, int height);
// Widens a label whose text is longer than its design width, so no caption is ever cut.
void WidenToText(QLabel* l);
// The design font: Arial (Liberation Sans through fontconfig) at a point size.
QFont Font(double points, bool bold = true, bool italic = true, const char* family = "Arial");
// Mouse buttons and shift state numbered as the designs' events number them.
int Button(Qt::MouseButtons b);
int Shift(Qt::KeyboardModifiers m);

// A label with a transparent background and white text unless told otherwise.
class Label : public QLabel {
    Q_OBJECT
public:
    Label(QWidget* parent, const QString& name, const QString& caption = QString());
    void SetForeColor(uint32_t bgr);
    uint32_t ForeColor() const { return foreColor_; }
    void SetUnderline(bool on);
    QString Caption() const { return text(); }
    void SetCaption(const QString& c) { setText(c); }
    // Hide QLabel's so that a fitted label refits to every new caption.
    void setText(const QString& c);
    void clear() { setText(QString()); }

    // Fits the caption to the label on one line: the label's own size while it fits, then
    // smaller sizes down to `floorPoints`, then cut at the end with "…". The caption itself stays
    // whole (a screen reader reads it all) and is the tooltip whenever it is not shown whole.
    void FitToWidth(double floorPoints);
    // What a fitted label paints.
    QFont FittedFont() const { return fittedFont_; }
    QString FittedText() const { return fittedText_; }

signals:
    void MouseMove(int button, int shift, double x, double y);
    void MouseDown(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    void Click();
    void DblClick();
    // The pointer has left the label (a word lit under it goes out, wherever the pointer went).
    void MouseLeave();

protected:
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void Fit();
    uint32_t foreColor_ = vbWhite;
    bool pressed_ = false;
    double floor_ = 0; // 0: not fitted, QLabel paints as usual
    QFont fittedFont_;
    QString fittedText_;
    QString measuredText_; // the caption the two above were worked out for
    QString ownTip_;       // the tooltip this label set itself, so one set from outside is kept
};

// A picture box or image control: draws its picture at its top-left corner, unscaled (or
// stretched to its size when Stretch is set), over an optional background colour. May hold
// child controls (panels of the designs).
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(QWidget* parent, const QString& name);
    void SetPicture(const QPixmap& p);
    const QPixmap& Picture() const { return picture_; }
    void SetStretch(bool s);
    void SetBackColor(uint32_t bgr);
    // Mouse capture, as the hover of bitmap buttons uses it.
    void SetCapture();
    static void ReleaseCapture();

signals:
    void MouseMove(int button, int shift, double x, double y);
    void MouseDown(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    void Click();
    void DblClick();
    void LostFocus();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    QPixmap picture_;
    bool stretch_ = false;
    bool hasBack_ = false;
    QColor back_;
    bool pressed_ = false;
};

} // namespace controls
