#pragma once

#include "model/result.h"

#include <QObject>
#include <QString>

namespace n35
{

// The title (opening message) the radio shows when switched on, up to 16 display positions in the
// escape notation of names, and whether it slides in. The radio keeps it in one block: 16 character codes
// and a 16-bit motion word.
class OpeningTitle : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    const QString &text() const { return title; }
    // 0 still, 1 slide.
    int motion() const { return slide; }
    // Typing is not cut; what is sent or saved is cut to 16 positions.
    void setText(const QString &text);
    void setMotion(int motion);
    // A glyph "\1".."\8" at the end, the whole title then cut back to 16 positions.
    void appendGlyph(int glyph);
    // "Reset": empty and still.
    void reset();

    // 68 hex characters: the 16 codes and the motion word (0x0001 for slide).
    QString encode() const;
    // From the first 68 hex characters of a title block: every code, trailing spaces included; any
    // non-zero motion is slide. Too short or not hex: a Problem, and nothing changes.
    Status ExpandTitleData(const QString &hex);
    Status decode(const QString &hex) { return ExpandTitleData(hex); }

    // Everything this region holds, to take an edit back: state() and restore() give it exactly.
    struct State {
        QString text;
        int motion = 0;
        bool operator==(const State &) const = default;
    };
    State state() const { return {title, slide}; }
    void restore(const State &state) { set(state.text, state.motion); }

signals:
    void changed();

private:
    void set(const QString &text, int motion);

    QString title;
    int slide = 0;
};

} // namespace n35
