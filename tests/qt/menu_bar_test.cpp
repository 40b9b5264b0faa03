// The game window's menu bar, built from Form1's menu model.
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include "qt/qt_services.h"
#include "qt_environment.h"
#include "shell/form1.h"

namespace {

class QtMenuBar : public testing::Test {
protected:
    void SetUp() override {
        sv.showForm(f.form);
        window = qobject_cast<QMainWindow*>(sv.windowOf(f.form));
        ASSERT_NE(window, nullptr);
    }
    std::vector<std::string> texts(const QList<QAction*>& actions) {
        std::vector<std::string> out;
        for (QAction* a : actions) out.push_back(a->isSeparator() ? "-" : a->text().toStdString());
        return out;
    }

    qtfront::QtServices sv;
    game::Form1 f{sv, LANEBEAM_BIN_DIR};
    QMainWindow* window = nullptr;
};

TEST_F(QtMenuBar, EveryItemMirrorsTheModel) {
    int items = 0;
    forms::forEachItem(f.form.menuBar, [&](forms::MenuItem& item) {
        ++items;
        QAction* action = sv.actionOf(item);
        ASSERT_NE(action, nullptr) << item.name;
        EXPECT_EQ(action->isSeparator(), item.isSeparator()) << item.name;
        // A separator with text would be drawn as a heading reading "-".
        EXPECT_EQ(action->text().toStdString(), item.isSeparator() ? "" : item.caption) << item.name;
        EXPECT_EQ(action->shortcut().toString(QKeySequence::PortableText).toStdString(), item.shortcut)
            << item.name;
        // Qt disables a hidden action, which is what keeps its shortcut quiet.
        EXPECT_EQ(action->isEnabled(), item.enabled && item.visible) << item.name;
        EXPECT_EQ(action->isVisible(), item.visible) << item.name;
        EXPECT_EQ(action->isChecked(), item.checked) << item.name;
        EXPECT_EQ(action->isCheckable(), item.checked) << item.name << ": only a checked item has a box";
    });
    EXPECT_EQ(items, 33);
    EXPECT_EQ(texts(window->menuBar()->actions()),
              (std::vector<std::string>{"ﾒﾆｭｰ(&M)", "設定(&O)", "ﾃﾞﾊﾞｯｸﾞ(&D)", "ﾍﾙﾌﾟ(&H)"}));
}

TEST_F(QtMenuBar, MenusHoldTheirItemsInOrderWithSeparatorsAndAccessKeys) {
    QMenu* menu = sv.actionOf(f.mnuMenu)->menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(texts(menu->actions()),
              (std::vector<std::string>{"遊戯開始 (&S)", "一時停止 (&P)", "-", "ハイスコアの表示 (&H)",
                                        "タイトル画面に戻る (&T)", "-", "遊戯終了 (&Q)"}));
    QMenu* level = sv.actionOf(f.mnuLevel)->menu();
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->actions().size(), 8);
    EXPECT_EQ(QKeySequence::mnemonic(sv.actionOf(f.mnuStart)->text()), QKeySequence(Qt::ALT | Qt::Key_S));
    EXPECT_EQ(sv.actionOf(f.mnuQuit)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(sv.actionOf(f.mnuQuit)->shortcutContext(), Qt::WindowShortcut);
}

TEST_F(QtMenuBar, ModelChangesReachTheBarAtTheNextEvents) {
    f.mnuFPS.checked = true;
    f.mnuVoice.checked = false;
    f.mnulv[2].checked = false;
    f.mnulv[4].checked = true;
    f.mnulv[4].enabled = true;
    f.mnulv[6].visible = true;
    f.mnuHS.enabled = false;
    f.mnuStart.caption = "遊戯開始 (&S)!";
    sv.DoEvents();
    EXPECT_TRUE(sv.actionOf(f.mnuFPS)->isChecked());
    EXPECT_FALSE(sv.actionOf(f.mnuVoice)->isChecked());
    EXPECT_FALSE(sv.actionOf(f.mnulv[2])->isChecked());
    EXPECT_TRUE(sv.actionOf(f.mnulv[4])->isChecked());
    EXPECT_TRUE(sv.actionOf(f.mnulv[4])->isEnabled());
    EXPECT_TRUE(sv.actionOf(f.mnulv[6])->isVisible());
    EXPECT_FALSE(sv.actionOf(f.mnuHS)->isEnabled());
    EXPECT_EQ(sv.actionOf(f.mnuStart)->text().toStdString(), "遊戯開始 (&S)!");
}

TEST_F(QtMenuBar, AClickToggledByQtIsPutBackToTheModelsMark) {
    // Choosing the checked difficulty again leaves it checked, though Qt unchecks
    // a checkable action on its own when it is triggered.
    f.mnulv[2].onClick = [] {};
    sv.actionOf(f.mnulv[2])->trigger();
    sv.DoEvents();
    EXPECT_TRUE(sv.actionOf(f.mnulv[2])->isChecked());
}

TEST_F(QtMenuBar, ShortcutsActOnlyThroughDoEventsAndNotInAHiddenMenu) {
    int starts = 0, captures = 0;
    f.mnuStart.onClick = [&] { ++starts; };
    f.mnuCapture.onClick = [&] { ++captures; };
    f.mnuDBG.visible = false;
    sv.DoEvents();
    ASSERT_TRUE(qttest::activate(window));

    QTest::keyClick(window->windowHandle(), Qt::Key_F2);
    EXPECT_EQ(starts, 0) << "nothing of the game runs inside Qt's dispatch";
    sv.DoEvents();
    EXPECT_EQ(starts, 1);

    QTest::keyClick(window->windowHandle(), Qt::Key_F9);
    sv.DoEvents();
    EXPECT_EQ(captures, 0) << "the debug menu is hidden";
    EXPECT_FALSE(sv.actionOf(f.mnuCapture)->isVisible());

    f.mnuDBG.visible = true;
    sv.DoEvents();
    QTest::keyClick(window->windowHandle(), Qt::Key_F9);
    sv.DoEvents();
    EXPECT_EQ(captures, 1);
}

TEST_F(QtMenuBar, ACommandQueuedBeforeItsItemWasDisabledDoesNotRun) {
    int starts = 0;
    f.mnuStart.onClick = [&] { ++starts; };
    sv.actionOf(f.mnuStart)->trigger();
    f.mnuStart.enabled = false;
    sv.DoEvents();
    EXPECT_EQ(starts, 0);
    f.mnuStart.enabled = true;
    f.form.enabled = false;  // as while the key dialog is open
    sv.DoEvents();
    sv.actionOf(f.mnuStart)->trigger();
    sv.DoEvents();
    EXPECT_EQ(starts, 0);
}

}  // namespace
