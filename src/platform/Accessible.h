#pragma once
// What a screen reader learns about the skinned controls. The bitmap buttons, options and
// links are pictures and labels to Qt, so a reader would announce them as graphics or plain
// text and could not press them; these calls tell it what each one is, in Spanish, and route
// its "press" action to the control's own click.
#include <QAccessible>
#include <QString>

class QWidget;

namespace controls {

// Announces `w` with the given role, name and description. A control made pressable answers
// the reader's press action with its Click signal, queued so the reader's call returns before
// the click switches windows or unloads the one it came from.
void Pressable(QWidget* w, const QString& name, const QString& description,
               QAccessible::Role role = QAccessible::Button);

// Name and description for a control that needs no press action (text boxes, lists).
void Describe(QWidget* w, const QString& name, const QString& description);

} // namespace controls
