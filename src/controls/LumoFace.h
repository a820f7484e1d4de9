#pragma once

#include <QFont>
#include <QImage>
#include <QRegion>
#include <QString>

#include <array>
#include <memory>

namespace padrix {

/// What the face of a LumoButton is drawn from.
struct LumoFaceState {
    int width = 154;     // pixels
    int height = 36;     // pixels
    int renderColor = 0; // 0x00BBGGRR; bits 24..31 are ignored
    int border = 0;      // frame style 0..3; any other draws none
    QString caption;
    QFont font;
    qreal devicePixelRatio = 1.0; // device pixels per pixel of the above; the images carry it
};

/// The two stored faces of one render and what the looks need besides.
struct LumoFaces {
    QImage highlight; // lighter face, no caption
    QImage resting;   // normal face with the caption; its mask-colour pixels are see-through
    int textX = 0;    // top-left of the caption, may be negative
    int textY = 0;
    int light = 0; // top colour of the last gradient drawn (the normal one), 0x00BBGGRR
    int dark = 0;  // bottom colour of the last gradient drawn
};

enum class LumoLook { Resting, Highlighted, Pressed };
constexpr int LumoLookCount = 3;

/// Renders both faces: the highlight gradient and frame, then the normal gradient, frame and
/// caption. Needs no widget.
LumoFaces renderLumoFaces(const LumoFaceState& state);

/// The image a look shows: the resting face; the highlight face with the caption in white;
/// or the highlight face with the pressed overlay and the caption in the dark colour.
QImage lumoLook(const LumoFaces& faces, LumoLook look, const LumoFaceState& state);

/// One state's faces, its looks, each drawn the first time it is shown, and its shape. Only
/// the resting face is drawn at once; the highlight face waits for a look that needs it.
class LumoLooks {
public:
    explicit LumoLooks(const LumoFaceState& state);

    QImage image(LumoLook look) const;
    /// Both faces.
    const LumoFaces& faces() const;
    /// The resting face's pixels that are not see-through, in the state's pixels.
    const QRegion& shape() const { return m_shape; }
    /// The faces' size in the state's pixels.
    QSize size() const { return m_faces.resting.deviceIndependentSize().toSize(); }

private:
    LumoFaceState m_state;
    mutable LumoFaces m_faces; // the highlight face null until needed
    QRegion m_shape;
    mutable std::array<QImage, LumoLookCount> m_looks; // null until first shown
};

/// How many states' looks lumoLooks keeps; the least recently used go first.
constexpr int LumoLookCacheSize = 300;

/// The looks of a state, drawn once and shared by every button of that state while they stay
/// among the most recently used. For the GUI thread only.
std::shared_ptr<const LumoLooks> lumoLooks(const LumoFaceState& state);

} // namespace padrix
