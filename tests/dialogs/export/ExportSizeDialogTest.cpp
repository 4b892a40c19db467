// The export size dialog in centimetres: each label's mnemonic leads to the field of the unit
// chosen, the choice is remembered, and sizes no picture can have are refused.
#include "dialogs/export/ExportSizeDialog.h"
#include "framework/DialogIds.h"
#include "framework/MessageBoxes.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Types, as a user does, into the field the label's mnemonic reaches.
void TypeInto(QDialog& dialog, const QString& labelText, const QString& text)
{
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == labelText && label->buddy() != nullptr && label->buddy()->isEnabled()) {
            label->buddy()->setFocus();
            QTest::keyClick(label->buddy(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(label->buddy(), text);
            return;
        }
    }
    ADD_FAILURE() << "no enabled field for " << labelText.toStdString();
}

TEST(ExportSizeDialog, CentimetresAreRememberedAndBoundedByPixels)
{
    const struct
    {
        const char *width, *height, *dpi;
        QSize pixels; // empty: refused
    } cases[] = {{"9.5", "6", "150", {561, 354}}, {"150", "100", "600", {}}};
    int messages = 0;
    SetMessageBoxHook([&](const QString&, bool) { return ++messages > 0; });
    for (const auto& c : cases) {
        CExportSizeDialog dialog{QSize{640, 480}};
        dialog.findChild<QRadioButton*>(kIdExportInCentimetres)->click();
        TypeInto(dialog, QStringLiteral("&Breite:"), QLatin1String(c.width));
        TypeInto(dialog, QStringLiteral("&Höhe:"), QLatin1String(c.height));
        TypeInto(dialog, QStringLiteral("&Auflösung:"), QLatin1String(c.dpi));
        dialog.accept();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, !c.pixels.isEmpty()) << c.width;
        EXPECT_EQ(messages, c.pixels.isEmpty() ? 1 : 0) << c.width;
        if (!c.pixels.isEmpty()) {
            EXPECT_EQ(dialog.PictureSize().pixels, c.pixels);
            // The next export starts in centimetres with these values; pixels give the window's size.
            CExportSizeDialog next{QSize{640, 480}};
            EXPECT_EQ(next.PictureSize().pixels, c.pixels);
            next.findChild<QRadioButton*>(kIdExportInPixels)->click();
            EXPECT_FALSE(next.PictureSize().centimetres.has_value());
            EXPECT_EQ(next.PictureSize().pixels, QSize(640, 480));
        }
    }
    SetMessageBoxHook({});
}

} // namespace
