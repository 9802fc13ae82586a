#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

// Guards the widget test set-up itself: widgets can be made and shown offscreen.
TEST(WidgetEnvironmentTest, WidgetsShowOnTheOffscreenPlatform)
{
    ASSERT_NE(QApplication::instance(), nullptr);
    EXPECT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    QWidget widget;
    widget.show();
    EXPECT_TRUE(widget.isVisible());
}
