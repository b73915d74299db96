#pragma once

#include <QString>
#include <optional>

namespace askbright {

// What the resize engine needs of a window, in twips. Each control operation
// may fail (a property the control lacks, a value the toolkit refuses): reads
// then give no value and writes return false, and the engine skips that step.
class ResizeWindow {
public:
    enum class Kind {
        Line,            // placed by its end points X1, X2, Y1, Y2
        FixedHeightList, // a list whose height the toolkit may refuse: set one property at a time
        Other,           // placed by one move
    };
    enum class Property { Left, Top, Width, Height, X1, X2, Y1, Y2, FontSize };
    struct Geometry {
        double left = 0;
        double top = 0;
        double width = 0;
        double height = 0;
    };

    virtual ~ResizeWindow() = default;

    // The size the layout follows, and its position.
    virtual Geometry windowGeometry() const = 0;
    virtual void setWindowHeight(double height) = 0;
    virtual void setWindowWidth(double width) = 0;

    // Takes a snapshot of the window's controls in the toolkit's order and
    // returns their number; the indexes below refer to the latest snapshot.
    virtual int enumerateControls() = 0;
    // Unique within the window for the controls that exist at the same time.
    virtual QString controlKey(int index) const = 0;
    virtual Kind controlKind(int index) const = 0;
    // FontSize is in points.
    virtual std::optional<double> read(int index, Property property) const = 0;
    virtual bool write(int index, Property property, double value) = 0;
    virtual bool move(int index, const Geometry &geometry) = 0;
};

} // namespace askbright
