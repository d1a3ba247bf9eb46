// Fitting a pane's line into its box: as large as the chosen font allows,
// never larger than chosen, never below the floor.
#include "widgets/TextFit.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace cantorel;

TEST(TextFit, KeepsAFontThatFitsAndShrinksOneThatDoesNotToTheLargestHalfPointThatDoes)
{
    QFont font = QApplication::font();
    font.setPointSizeF(24);
    const QString line = QStringLiteral("a translated line long enough to wrap onto three rows");
    const QSizeF box(300, 60);
    EXPECT_EQ(fittedFont(font, QStringLiteral("short"), QSizeF(600, 100)), font);

    ASSERT_FALSE(textFits(font, line, box));
    const QFont fitted = fittedFont(font, line, box);
    EXPECT_TRUE(textFits(fitted, line, box));
    EXPECT_EQ(fitted.family(), font.family());
    QFont larger = fitted;
    larger.setPointSizeF(fitted.pointSizeF() + 0.5);
    EXPECT_FALSE(textFits(larger, line, box)) << "a larger half point fits: " << fitted.pointSizeF();

    EXPECT_EQ(fittedFont(font, line, QSizeF(20, 5)).pointSizeF(), kMinFitPointSize) << "nothing fits: the floor";

    QFont pixels = font;
    pixels.setPixelSize(40);
    const QFont fittedPixels = fittedFont(pixels, line, box);
    EXPECT_TRUE(textFits(fittedPixels, line, box));
    EXPECT_LT(fittedPixels.pixelSize(), 40);
    EXPECT_GE(fittedPixels.pixelSize(), int(kMinFitPointSize));
}
