#include "controls/LumoButton.h"
#include "controls/VantoVerticalScroll.h"

#include <gtest/gtest.h>

namespace padrix {
namespace {

TEST(OwnerDrawnControl, ShowsItsSurfaceAndNamesItsClass) {
    LumoButton button;
    button.setCaption("MR");
    button.setBorder(3); // rounded corners: a masked shape
    VantoVerticalScroll bar;
    bar.setValue(40);
    const struct {
        OwnerDrawnControl& control;
        const char* identifier;
    } controls[] = {{button, LumoButton::ClassIdentifier},
                    {bar, VantoVerticalScroll::ClassIdentifier}};
    for (const auto& c : controls) {
        SCOPED_TRACE(c.identifier);
        EXPECT_EQ(c.control.classIdentifier().toStdString(), c.identifier);
        // A paint puts the surface on screen as it is, every pixel of it.
        const QImage shown = c.control.grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown, c.control.surface().convertToFormat(QImage::Format_RGB32));
        // Saved properties round-trip through the common interface.
        c.control.setEnabled(false);
        PropertyBag bag;
        c.control.WriteProperties(bag);
        EXPECT_TRUE(bag.contains("Enabled"));
        c.control.setEnabled(true);
        c.control.ReadProperties(bag);
        EXPECT_FALSE(c.control.isEnabled());
    }
}

} // namespace
} // namespace padrix
