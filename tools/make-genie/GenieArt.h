#pragma once
// Genio, drawn with QPainter from a handful of pose values: a friendly blue genie with a purple
// turban, a smoke tail, big eyes and two expressive arms. Every frame of the character file is
// one pose; the animations in art/genie/animations.json are keyframed poses.
#include <QImage>
#include <QPoint>
#include <QString>
#include <array>

namespace genie {

// Pose values. Arm angles are in degrees: 0 hangs down, 90 points straight out to that arm's
// side, 180 straight up, negative values swing the arm across the body; the elbow angle bends
// the forearm further the same way. "Right" is the genie's own right, the viewer's left, as
// "GestureRight" points.
enum Param {
    Bob,   // float offset, pixels (down positive)
    Tilt,  // upper body lean, degrees (positive leans to the viewer's right)
    Bow,   // 0 upright .. 1 bowed
    HeadX, // head offset, pixels
    HeadY,
    RShoulder, // genie's right arm
    RElbow,
    RPoint,    // 0 open hand .. 1 index finger out
    LShoulder, // genie's left arm
    LElbow,
    LPoint,
    Eyes,  // 0 closed .. 1 open
    LookX, // pupils -1 .. 1
    LookY,
    Brows, // -1 sad, 0 neutral, 1 raised
    Smile, // -1 frown .. 1 big smile
    Mouth, // 0 closed .. 1 open
    Scale, // whole figure, from the tail's tip
    Alpha,
    Smoke,   // puff of smoke 0 .. 1
    Book,    // 0 none, 0..1 opening, 1 open book in both hands
    Sparkle, // 0 .. 1 stars around the head
    Tear,    // 0 .. 1
    Idea,    // 0 .. 1 a little light above the raised finger
    kParamCount
};

using Pose = std::array<double, kParamCount>;

Pose RestPose();
// Index of a parameter by its name in the animation sources ("rShoulder"), or -1.
int ParamIndex(const QString& name);
Pose Mix(const Pose& a, const Pose& b, double t);

inline constexpr int kSize = 128;

// Draws a pose into a transparent kSize x kSize picture.
QImage Draw(const Pose& p);
// Where the mouth's centre lies in that picture (for the speaking mouths laid over it).
QPoint MouthCentre(const Pose& p);
// The speaking mouths, closed to wide open: small pictures centred on MouthCentre.
QImage DrawMouth(int openness /* 0..2 */);

} // namespace genie
