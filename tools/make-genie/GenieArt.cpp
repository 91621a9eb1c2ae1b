#include "GenieArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>

namespace genie {

namespace {

const QColor kSkin(0x4f, 0x9d, 0xe8);
const QColor kSkinLight(0x86, 0xc1, 0xf5);
const QColor kLine(0x1b, 0x3c, 0x78);
const QColor kTurban(0x6c, 0x3d, 0xa6);
const QColor kTurbanDark(0x4a, 0x26, 0x7a);
const QColor kGold(0xf2, 0xc1, 0x2e);
const QColor kRuby(0xd7, 0x26, 0x3d);
const QColor kVest(0xb5, 0x33, 0x4f);
const QColor kMouth(0x35, 0x10, 0x2c);
const QColor kTongue(0xe8, 0x5d, 0x75);
const QColor kNavy(0x14, 0x1e, 0x44);

constexpr double kPi = 3.14159265358979323846;
double Rad(double deg) {
    return deg * kPi / 180.0;
}

const char* const kNames[kParamCount] = {"bob",    "tilt",   "bow",       "headX",   "headY",  "rShoulder",
                                         "rElbow", "rPoint", "lShoulder", "lElbow",  "lPoint", "eyes",
                                         "lookX",  "lookY",  "brows",     "smile",   "mouth",  "scale",
                                         "alpha",  "smoke",  "book",      "sparkle", "tear",   "idea"};

// The figure's anchor points for a pose, before the whole-figure transform.
struct Esqueleto {
    QPointF waist{64, 86};
    double shoulderY = 0;
    QPointF head;
    QPointF rShoulder, rElbow, rHand;
    QPointF lShoulder, lElbow, lHand;
};

Esqueleto Armar(const Pose& p) {
    Esqueleto e;
    e.shoulderY = 62 + 6 * p[Bow];
    e.head = QPointF(64 + p[HeadX], 40 + p[HeadY] + 11 * p[Bow]);
    e.rShoulder = QPointF(48, e.shoulderY + 2);
    e.lShoulder = QPointF(80, e.shoulderY + 2);
    // The genie's right arm hangs on the viewer's left: "out" is toward negative x for it.
    auto dir = [](double deg, double side) { return QPointF(side * std::sin(Rad(deg)), std::cos(Rad(deg))); };
    e.rElbow = e.rShoulder + 15 * dir(p[RShoulder], -1);
    e.rHand = e.rElbow + 14 * dir(p[RShoulder] + p[RElbow], -1);
    e.lElbow = e.lShoulder + 15 * dir(p[LShoulder], 1);
    e.lHand = e.lElbow + 14 * dir(p[LShoulder] + p[LElbow], 1);
    return e;
}

QTransform Figura(const Pose& p) {
    QTransform t;
    t.translate(64, 124 + p[Bob]);
    t.scale(p[Scale], p[Scale]);
    t.translate(-64, -124);
    return t;
}

QTransform Torso(const Pose& p, const Esqueleto& e) {
    QTransform t;
    t.translate(e.waist.x(), e.waist.y());
    t.rotate(p[Tilt]);
    t.translate(-e.waist.x(), -e.waist.y());
    return t;
}

QPen Linea(double w = 1.6) {
    return QPen(kLine, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Humo(QPainter& g, double amount, bool front) {
    if (amount <= 0) return;
    static const double puffs[][3] = {{44, 116, 11}, {84, 114, 12}, {64, 108, 15}, {52, 98, 10},
                                      {78, 96, 10},  {64, 84, 12},  {58, 120, 9},  {72, 121, 9}};
    g.save();
    g.setPen(Qt::NoPen);
    for (size_t i = 0; i < std::size(puffs); ++i) {
        if ((i % 2 == 0) != front) continue;
        const double r = puffs[i][2] * (0.4 + 0.6 * amount);
        QRadialGradient grad(QPointF(puffs[i][0], puffs[i][1]), r);
        grad.setColorAt(0, QColor(235, 240, 255, int(220 * amount)));
        grad.setColorAt(0.7, QColor(190, 205, 235, int(170 * amount)));
        grad.setColorAt(1, QColor(190, 205, 235, 0));
        g.setBrush(grad);
        g.drawEllipse(QPointF(puffs[i][0], puffs[i][1] - 6 * (1 - amount)), r, r);
    }
    g.restore();
}

void Cola(QPainter& g, const Pose& p) {
    // The smoke tail: wide at the waist, curling to a tip; it sways a little against the float.
    const double s = -p[Bob] * 0.6;
    QPainterPath path;
    path.moveTo(51, 84);
    path.cubicTo(44 + s, 98, 72 + s, 100, 60 + s, 111);
    path.cubicTo(53 + s, 118, 60 + s, 127, 71 + s, 122);
    path.cubicTo(65 + s, 121, 62 + s, 116, 70 + s, 110);
    path.cubicTo(86 + s, 98, 74, 93, 77, 84);
    path.closeSubpath();
    QLinearGradient grad(64, 84, 64, 124);
    grad.setColorAt(0, kSkin);
    grad.setColorAt(1, QColor(kSkinLight.red(), kSkinLight.green(), kSkinLight.blue(), 140));
    g.setBrush(grad);
    g.setPen(Linea(1.4));
    g.drawPath(path);
    g.setPen(QPen(QColor(255, 255, 255, 120), 1.2, Qt::SolidLine, Qt::RoundCap));
    g.drawArc(QRectF(56 + s, 96, 12, 8), 200 * 16, 140 * 16);
    g.drawArc(QRectF(61 + s, 108, 8, 6), 180 * 16, 160 * 16);
}

void Cuerpo(QPainter& g, const Esqueleto& e) {
    const double y = e.shoulderY;
    QPainterPath torso;
    torso.moveTo(52, 86);
    torso.cubicTo(49, 78, 44, y + 10, 46, y + 3);
    torso.quadTo(48, y - 2, 56, y - 1);
    torso.lineTo(72, y - 1);
    torso.quadTo(80, y - 2, 82, y + 3);
    torso.cubicTo(84, y + 10, 79, 78, 76, 86);
    torso.closeSubpath();
    g.setPen(Linea());
    g.setBrush(kSkin);
    g.drawPath(torso);
    // An open vest over the chest.
    g.save();
    g.setClipPath(torso);
    g.setPen(Qt::NoPen);
    g.setBrush(kVest);
    QPainterPath vest;
    vest.moveTo(40, y - 4);
    vest.lineTo(58, y - 4);
    vest.quadTo(56, y + 12, 60, 86);
    vest.lineTo(40, 86);
    vest.closeSubpath();
    g.drawPath(vest);
    g.drawPath(QTransform(-1, 0, 0, 1, 128, 0).map(vest));
    g.setPen(QPen(kGold, 1.4));
    g.drawLine(QPointF(58, y - 3), QPointF(59.5, 84));
    g.drawLine(QPointF(70, y - 3), QPointF(68.5, 84));
    g.restore();
    g.setPen(Linea(1.2));
    g.setBrush(kGold);
    g.drawRoundedRect(QRectF(50, 81, 28, 6), 3, 3);
    g.setBrush(kRuby);
    g.drawEllipse(QPointF(64, 84), 2.2, 2.2);
}

void Cabeza(QPainter& g, const Pose& p, const Esqueleto& e) {
    const QPointF h = e.head;
    // Pointed ears.
    g.setPen(Linea());
    g.setBrush(kSkin);
    for (double side : {-1.0, 1.0}) {
        QPainterPath ear;
        ear.moveTo(h + QPointF(side * 14, -2));
        ear.quadTo(h + QPointF(side * 24, -6), h + QPointF(side * 22, -9));
        ear.quadTo(h + QPointF(side * 20, 4), h + QPointF(side * 14, 6));
        g.drawPath(ear);
        g.setBrush(kGold);
        g.drawEllipse(h + QPointF(side * 18.5, 5.5), 1.6, 1.6);
        g.setBrush(kSkin);
    }
    // Goatee, under the chin.
    g.setBrush(kNavy);
    QPainterPath beard;
    beard.moveTo(h + QPointF(-3, 15));
    beard.quadTo(h + QPointF(0, 25), h + QPointF(2, 22));
    beard.quadTo(h + QPointF(2, 18), h + QPointF(3, 15));
    g.drawPath(beard);
    // Face: flat colour where the speaking mouths are laid, a highlight up on the left.
    g.setBrush(kSkin);
    g.drawEllipse(h, 17, 16.5);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(255, 255, 255, 45));
    g.drawEllipse(h + QPointF(-7, -6), 6, 4);
    g.setBrush(QColor(255, 120, 170, 60));
    g.drawEllipse(h + QPointF(-11, 7), 3.5, 2.2);
    g.drawEllipse(h + QPointF(11, 7), 3.5, 2.2);

    // Eyes: big, with lids that close from the top.
    for (double side : {-1.0, 1.0}) {
        const QPointF c = h + QPointF(side * 7, 1);
        const double open = std::clamp(p[Eyes], 0.0, 1.0);
        if (open < 0.12) {
            g.setPen(Linea(1.8));
            g.setBrush(Qt::NoBrush);
            g.drawArc(QRectF(c.x() - 5, c.y() - 3, 10, 6), 200 * 16, 140 * 16);
            continue;
        }
        QPainterPath eye;
        eye.addEllipse(c, 5, 6.5);
        g.setPen(Linea(1.3));
        g.setBrush(Qt::white);
        g.drawPath(eye);
        g.save();
        g.setClipPath(eye);
        g.setPen(Qt::NoPen);
        const QPointF pupil = c + QPointF(2.2 * p[LookX], 2.8 * p[LookY] + 0.8);
        g.setBrush(kNavy);
        g.drawEllipse(pupil, 3, 3.3);
        g.setBrush(Qt::white);
        g.drawEllipse(pupil + QPointF(-1.1, -1.3), 1.1, 1.1);
        if (open < 1) {
            g.setBrush(kSkin);
            g.drawRect(QRectF(c.x() - 6, c.y() - 7, 12, 13 * (1 - open)));
            g.setPen(Linea(1.2));
            g.drawLine(QPointF(c.x() - 6, c.y() - 7 + 13 * (1 - open)),
                       QPointF(c.x() + 6, c.y() - 7 + 13 * (1 - open)));
        }
        g.restore();
        // Brows: sad lifts the inner ends, raised lifts both.
        const double inner = -9.5 - 3 * std::max(0.0, -p[Brows]) - 2.5 * std::max(0.0, p[Brows]);
        const double outer = -9.5 + 1.5 * std::max(0.0, -p[Brows]) - 2.5 * std::max(0.0, p[Brows]);
        g.setPen(QPen(kNavy, 2, Qt::SolidLine, Qt::RoundCap));
        g.drawLine(h + QPointF(side * 3.5, inner), h + QPointF(side * 10.5, outer));
    }

    // Mouth: a curve that smiles or frowns, opening into a dark mouth with a tongue.
    const QPointF m = h + QPointF(0, 10);
    const double smile = p[Smile], open = std::clamp(p[Mouth], 0.0, 1.0);
    if (open < 0.05) {
        QPainterPath curve;
        curve.moveTo(m + QPointF(-6, -1.5 * smile));
        curve.quadTo(m + QPointF(0, 4.5 * smile), m + QPointF(6, -1.5 * smile));
        g.setPen(Linea(1.6));
        g.setBrush(Qt::NoBrush);
        g.drawPath(curve);
    } else {
        QPainterPath mouth;
        mouth.moveTo(m + QPointF(-6, -1.5 * smile));
        mouth.quadTo(m + QPointF(0, 2 * smile), m + QPointF(6, -1.5 * smile));
        mouth.quadTo(m + QPointF(0, 2 * smile + 10 * open), m + QPointF(-6, -1.5 * smile));
        g.setPen(Linea(1.3));
        g.setBrush(kMouth);
        g.drawPath(mouth);
        g.save();
        g.setClipPath(mouth);
        g.setPen(Qt::NoPen);
        g.setBrush(kTongue);
        g.drawEllipse(m + QPointF(0, 2 * smile + 6 * open), 4, 2.5);
        g.restore();
    }

    // Turban: a wrapped dome with a band, a jewel and a plume.
    QPainterPath dome;
    dome.moveTo(h + QPointF(-18, -6));
    dome.cubicTo(h + QPointF(-22, -26), h + QPointF(-4, -31), h + QPointF(2, -29));
    dome.cubicTo(h + QPointF(14, -29), h + QPointF(22, -22), h + QPointF(18, -6));
    dome.closeSubpath();
    g.setPen(Linea(1.4));
    g.setBrush(kTurban);
    g.drawPath(dome);
    g.setPen(QPen(kTurbanDark, 1.4, Qt::SolidLine, Qt::RoundCap));
    g.setBrush(Qt::NoBrush);
    g.drawArc(QRectF(h.x() - 17, h.y() - 27, 30, 22), 100 * 16, 110 * 16);
    g.drawArc(QRectF(h.x() - 8, h.y() - 28, 26, 22), 20 * 16, 100 * 16);
    g.setPen(Linea(1.4));
    g.setBrush(kTurbanDark);
    g.drawRoundedRect(QRectF(h.x() - 19, h.y() - 12, 38, 7), 3.5, 3.5);
    QPainterPath plume;
    plume.moveTo(h + QPointF(1, -15));
    plume.cubicTo(h + QPointF(4, -26), h + QPointF(12, -32), h + QPointF(16, -35));
    plume.cubicTo(h + QPointF(12, -27), h + QPointF(8, -20), h + QPointF(3, -14));
    g.setBrush(QColor(0xff, 0xf4, 0xd6));
    g.drawPath(plume);
    g.setBrush(kGold);
    g.drawEllipse(h + QPointF(0, -11), 4.2, 4.6);
    g.setPen(Qt::NoPen);
    g.setBrush(kRuby);
    g.drawEllipse(h + QPointF(0, -11), 2.2, 2.5);
}

void Brazo(QPainter& g, QPointF shoulder, QPointF elbow, QPointF hand, double point, double side) {
    QPainterPath arm;
    arm.moveTo(shoulder);
    arm.lineTo(elbow);
    arm.lineTo(hand);
    g.setBrush(Qt::NoBrush);
    g.setPen(QPen(kLine, 9.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.drawPath(arm);
    g.setPen(QPen(kSkin, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.drawPath(arm);
    // A gold bracelet just above the wrist.
    const QPointF along = hand - elbow;
    const double len = std::hypot(along.x(), along.y());
    const QPointF u = len > 0 ? along / len : QPointF(0, 1);
    const QPointF n(-u.y(), u.x());
    const QPointF b = hand - 4.5 * u;
    g.setPen(QPen(kGold, 2.6, Qt::SolidLine, Qt::RoundCap));
    g.drawLine(b + 3.6 * n, b - 3.6 * n);
    // The hand: an index finger when pointing, otherwise an open palm with a thumb.
    g.setPen(Linea(1.4));
    g.setBrush(kSkin);
    if (point > 0.5) {
        g.setPen(QPen(kLine, 4.6, Qt::SolidLine, Qt::RoundCap));
        g.drawLine(hand, hand + 8.5 * u);
        g.setPen(QPen(kSkin, 2.6, Qt::SolidLine, Qt::RoundCap));
        g.drawLine(hand, hand + 8.5 * u);
        g.setPen(Linea(1.4));
        g.drawEllipse(hand, 4.2, 4.2);
    } else {
        g.drawEllipse(hand + 1.2 * u, 4.8, 4.8);
        g.drawEllipse(hand + 2.0 * u + side * 3.8 * n, 1.9, 1.9);
    }
}

void Libro(QPainter& g, const Esqueleto& e, double amount) {
    if (amount <= 0) return;
    const QPointF c(64, e.shoulderY + 16);
    const double w = 15 * std::clamp(amount, 0.15, 1.0);
    g.setPen(Linea(1.3));
    g.setBrush(QColor(0x8a, 0x4b, 0x24));
    g.drawRoundedRect(QRectF(c.x() - w - 2, c.y() - 10, 2 * w + 4, 21), 2, 2);
    g.setBrush(QColor(0xfb, 0xf6, 0xe6));
    QPainterPath left, right;
    left.moveTo(c + QPointF(0, -8));
    left.quadTo(c + QPointF(-w / 2, -11), c + QPointF(-w, -8));
    left.lineTo(c + QPointF(-w, 9));
    left.quadTo(c + QPointF(-w / 2, 6), c + QPointF(0, 9));
    left.closeSubpath();
    right = QTransform(-1, 0, 0, 1, 2 * c.x(), 0).map(left);
    g.drawPath(left);
    g.drawPath(right);
    g.setPen(QPen(QColor(0x9a, 0x9a, 0xb0), 0.9));
    for (int i = 0; i < 4 && w > 8; ++i) {
        const double y = c.y() - 4 + 3.5 * i;
        g.drawLine(QPointF(c.x() - w + 3, y), QPointF(c.x() - 3, y));
        g.drawLine(QPointF(c.x() + 3, y), QPointF(c.x() + w - 3, y));
    }
}

void Estrella(QPainter& g, QPointF c, double r) {
    QPainterPath s;
    for (int i = 0; i < 8; ++i) {
        const double a = i * kPi / 4;
        const double rr = i % 2 == 0 ? r : r * 0.35;
        const QPointF q = c + QPointF(rr * std::sin(a), -rr * std::cos(a));
        if (i == 0)
            s.moveTo(q);
        else
            s.lineTo(q);
    }
    s.closeSubpath();
    g.drawPath(s);
}

} // namespace

Pose RestPose() {
    Pose p{};
    p[RShoulder] = 18;
    p[RElbow] = -25;
    p[LShoulder] = 18;
    p[LElbow] = -25;
    p[Eyes] = 1;
    p[Smile] = 0.6;
    p[Scale] = 1;
    p[Alpha] = 1;
    return p;
}

int ParamIndex(const QString& name) {
    for (int i = 0; i < kParamCount; ++i)
        if (name == QLatin1String(kNames[i])) return i;
    return -1;
}

Pose Mix(const Pose& a, const Pose& b, double t) {
    Pose r;
    for (int i = 0; i < kParamCount; ++i)
        r[i] = a[i] + (b[i] - a[i]) * t;
    // Switches (a pointing finger, a held book) change at once, at the middle of a step.
    for (int i : {RPoint, LPoint})
        r[i] = t < 0.5 ? a[i] : b[i];
    return r;
}

QImage Draw(const Pose& p) {
    QImage img(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    const Esqueleto e = Armar(p);
    // The smoke keeps its size while the genie grows out of it or shrinks into it.
    const QTransform humo = QTransform::fromTranslate(0, p[Bob]);
    g.setTransform(humo);
    Humo(g, p[Smoke], false);
    g.setTransform(Figura(p));
    g.setOpacity(std::clamp(p[Alpha], 0.0, 1.0));
    Cola(g, p);
    g.setTransform(Torso(p, e) * Figura(p));
    Cuerpo(g, e);
    Cabeza(g, p, e);
    Libro(g, e, p[Book]);
    Brazo(g, e.rShoulder, e.rElbow, e.rHand, p[RPoint], 1);
    Brazo(g, e.lShoulder, e.lElbow, e.lHand, p[LPoint], -1);
    if (p[Idea] > 0) {
        const QPointF c = e.lHand + QPointF(3, -17);
        QRadialGradient glow(c, 8 * p[Idea]);
        glow.setColorAt(0, QColor(255, 250, 190, 255));
        glow.setColorAt(0.5, QColor(255, 220, 80, 200));
        glow.setColorAt(1, QColor(255, 220, 80, 0));
        g.setPen(Qt::NoPen);
        g.setBrush(glow);
        g.drawEllipse(c, 8 * p[Idea], 8 * p[Idea]);
    }
    if (p[Tear] > 0) {
        const QPointF c = e.head + QPointF(-8, 9 + 7 * p[Tear]);
        g.setPen(QPen(QColor(0x2a, 0x6f, 0xc0), 1));
        g.setBrush(QColor(0xcf, 0xee, 0xff));
        QPainterPath drop;
        drop.moveTo(c + QPointF(0, -4));
        drop.quadTo(c + QPointF(2.6, 0), c + QPointF(0, 2.6));
        drop.quadTo(c + QPointF(-2.6, 0), c + QPointF(0, -4));
        g.drawPath(drop);
    }
    if (p[Sparkle] > 0) {
        g.setPen(QPen(QColor(0xb0, 0x7a, 0x00), 0.8));
        g.setBrush(kGold);
        const double s = p[Sparkle];
        Estrella(g, QPointF(30, 22), 6 * s);
        Estrella(g, QPointF(100, 18), 5 * s);
        Estrella(g, QPointF(22, 52), 4 * s);
        Estrella(g, QPointF(108, 50), 6 * s);
        Estrella(g, QPointF(64, 4 + 4 * s), 3.5 * s);
    }
    g.setTransform(humo);
    g.setOpacity(1);
    Humo(g, p[Smoke], true);
    return img;
}

QPoint MouthCentre(const Pose& p) {
    const Esqueleto e = Armar(p);
    const QPointF m = (Torso(p, e) * Figura(p)).map(e.head + QPointF(0, 11));
    return QPoint(int(std::lround(m.x())), int(std::lround(m.y())));
}

QImage DrawMouth(int openness) {
    QImage img(14, 10, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(kSkin);
    g.drawEllipse(QRectF(0, 0, 14, 10));
    const QPointF m(7, 3.5);
    const double open = openness / 2.0;
    QPainterPath mouth;
    mouth.moveTo(m + QPointF(-5, -0.5));
    mouth.quadTo(m + QPointF(0, 1.5), m + QPointF(5, -0.5));
    mouth.quadTo(m + QPointF(0, 2 + 7 * open), m + QPointF(-5, -0.5));
    g.setPen(Linea(1.3));
    g.setBrush(kMouth);
    g.drawPath(mouth);
    if (openness > 0) {
        g.setPen(Qt::NoPen);
        g.setBrush(kTongue);
        g.drawEllipse(m + QPointF(0, 2 + 4 * open), 3, 1.6);
    }
    return img;
}

} // namespace genie
