#include "app/Permissions.h"

#include "QtPrinters.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using app::Permissions;

namespace {

int tabCount() {
    return int(app::mainWindowTabKeys().size());
}

} // namespace

TEST(Permissions, AllAloneInAnyCaseGrantsEverything) {
    for (const char* text : {"ALL", "all", "All", "aLl"}) {
        const Permissions p = Permissions::fromText(QString::fromLatin1(text));
        EXPECT_TRUE(p.grantsAll()) << text;
        EXPECT_TRUE(p.hiddenTabs().isEmpty()) << text;
        EXPECT_TRUE(p.hiddenButtons().isEmpty()) << text;
        EXPECT_FALSE(p.passwordExempt()) << text;
    }
}

TEST(Permissions, AllWithLineBreakIsAKeyList) {
    for (const char* text : {"ALL\n", "all\r\n", " ALL"}) {
        const Permissions p = Permissions::fromText(QString::fromLatin1(text));
        EXPECT_FALSE(p.grantsAll()) << text;
        EXPECT_EQ(p.hiddenTabs().size(), tabCount()) << text;
        EXPECT_FALSE(p.isTabVisible("TABARCHIVIO"));
    }
}

TEST(Permissions, EmptyFileHidesEveryTab) {
    for (const char* text : {"", "   \n\t "}) {
        const Permissions p = Permissions::fromText(QString::fromLatin1(text));
        EXPECT_EQ(p.hiddenTabs().size(), tabCount()) << text;
        // Buttons of hidden pages are not examined one by one.
        EXPECT_TRUE(p.hiddenButtons().isEmpty()) << text;
        EXPECT_FALSE(p.isButtonVisible("btnClienti"));
        EXPECT_FALSE(p.passwordExempt());
    }
}

TEST(Permissions, KeysAreSubstringsOfTheText) {
    const Permissions p =
        Permissions::fromText("tabstampe\nBTNSTAMPECONTRATTIESTESA\nTabArchivio BTNCLIENTI\n");
    EXPECT_TRUE(p.isTabVisible("TABSTAMPE"));
    EXPECT_TRUE(p.isTabVisible("TabArchivio")); // object name or key
    EXPECT_FALSE(p.isTabVisible("TABSTORICO"));
    // The longer key grants the shorter one it contains.
    EXPECT_TRUE(p.isButtonVisible("btnStampeContratti"));
    EXPECT_TRUE(p.isButtonVisible("btnStampeContrattiEstesa"));
    EXPECT_FALSE(p.isButtonVisible("btnStampeFattureClienti"));
    EXPECT_TRUE(p.isButtonVisible("btnClienti"));
    EXPECT_FALSE(p.isButtonVisible("btnFornitori"));
    // A button without a key stays visible; one on a hidden tab does not.
    EXPECT_TRUE(p.isButtonVisible("btnAreeCimitero"));
    EXPECT_FALSE(p.isButtonVisible("btnStoricoFattureClienti"));
    EXPECT_FALSE(p.hiddenButtons().contains("BTNSTORICOFATTURECLIENTI"));
    EXPECT_TRUE(p.hiddenButtons().contains("BTNFORNITORI"));
    EXPECT_FALSE(p.passwordExempt());
}

TEST(Permissions, ButtonKeyWithoutItsTabKeyStaysHidden) {
    const Permissions p = Permissions::fromText("BTNCLIENTI");
    EXPECT_FALSE(p.isTabVisible("TABARCHIVIO"));
    EXPECT_FALSE(p.isButtonVisible("btnClienti"));
}

TEST(Permissions, PasswordExemptionOnlyInAKeyList) {
    EXPECT_TRUE(Permissions::fromText("TABARCHIVIO\nPasswordAccesso").passwordExempt());
    EXPECT_FALSE(Permissions::fromText("TABARCHIVIO").passwordExempt());
}

TEST(Permissions, LoadedFromTheInstallationFolder) {
    QTemporaryDir dir;
    EXPECT_FALSE(Permissions::load(dir.path()).has_value());
    QFile f(dir.filePath("permessi.kyn"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xEF\xBB\xBF"
            "all"); // a BOM left by an editor does not count
    f.close();
    const auto p = Permissions::load(dir.path());
    ASSERT_TRUE(p.has_value());
    EXPECT_TRUE(p->grantsAll());
}

TEST(Permissions, EveryButtonKeyBelongsToOneTab) {
    QStringList seen;
    for (const app::TabKeys& tab : app::mainWindowTabKeys()) {
        EXPECT_TRUE(tab.tabKey.startsWith("TAB"));
        for (const QString& key : tab.buttonKeys) {
            EXPECT_TRUE(key.startsWith("BTN")) << key.toStdString();
            EXPECT_FALSE(seen.contains(key)) << key.toStdString();
            seen.append(key);
        }
    }
}
