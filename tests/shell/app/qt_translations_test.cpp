// Qt's own texts, such as the standard buttons of message boxes, read in
// Japanese once the start-up has loaded Qt's translation.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>

#include "shell/app/qt_translations.h"

namespace {

TEST(QtTranslations, StandardButtonsReadInJapanese) {
    QTranslator* translator = ruv::installQtTranslations(*QCoreApplication::instance());
    ASSERT_NE(translator, nullptr) << "Qt's Japanese translation (qtbase_ja.qm) was not found";
    const QString japaneseCancel = translator->translate("QPlatformTheme", "Cancel");
    const QString japaneseYes = translator->translate("QPlatformTheme", "&Yes");
    QDialogButtonBox buttons(QDialogButtonBox::Yes | QDialogButtonBox::Cancel);
    const QString cancel = buttons.button(QDialogButtonBox::Cancel)->text();
    const QString yes = buttons.button(QDialogButtonBox::Yes)->text();
    QCoreApplication::removeTranslator(translator);
    delete translator;

    EXPECT_FALSE(japaneseCancel.isEmpty());
    EXPECT_EQ(cancel, japaneseCancel);
    EXPECT_NE(cancel, QStringLiteral("Cancel"));
    EXPECT_EQ(yes, japaneseYes);
    EXPECT_NE(yes, QStringLiteral("&Yes"));
}

}  // namespace
