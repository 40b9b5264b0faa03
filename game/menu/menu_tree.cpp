// SPDX-License-Identifier: GPL-3.0-or-later
#include "pxmix.h"
#include "shell/form1.h"

namespace game {

namespace {

void setItem(forms::MenuItem& item, const char* caption, const char* shortcut = "") {
    item.caption = caption;
    item.shortcut = shortcut;
}

}  // namespace

void Form1::buildMenuTree() {
    setItem(mnuMenu, "ﾒﾆｭｰ(&M)");
    setItem(mnuStart, "遊戯開始 (&S)", "F2");
    setItem(mnuPause, "一時停止 (&P)", "F3");
    setItem(zzz0, "-");
    setItem(mnuHS, "ハイスコアの表示 (&H)", "F4");
    setItem(mnuBkT, "タイトル画面に戻る (&T)", "F5");
    setItem(zzz1, "-");
    setItem(mnuQuit, "遊戯終了 (&Q)", "Ctrl+C");
    mnuMenu.children = {&mnuStart, &mnuPause, &zzz0, &mnuHS, &mnuBkT, &zzz1, &mnuQuit};

    static constexpr const char* kLevelCaptions[8] = {"SUPER EASY (&0)", "VERY EASY (&1)", "EASY (&2)",
                                                      "NORMAL (&3)",     "EXPERT (&4)",    "GOLDEN FINGER",
                                                      "SPILITUAL FEVER", "SUDDEN MODE"};
    setItem(mnuOption, "設定(&O)");
    setItem(mnuLevel, "難易度 (&L)");
    mnuLevel.children.clear();
    for (int i = 0; i < 8; ++i) {
        mnulv[i].name = "mnulv";
        mnulv[i].index = i;
        setItem(mnulv[i], kLevelCaptions[i]);
        mnulv[i].onClick = [this, i] { mnulv_Click(i); };
        mnuLevel.children.push_back(&mnulv[i]);
    }
    mnulv[2].checked = true;
    mnulv[3].enabled = false;
    mnulv[4].enabled = false;
    mnulv[5].visible = mnulv[6].visible = mnulv[7].visible = false;
    setItem(zzz3, "-");
    setItem(mnu_UseMMX, "描画にMMXを使用 (&M)");
    setItem(mnuKeys, "キーの設定 (&K)...", "Ctrl+K");
    setItem(mnuVoice, "声がでてしまう (&V)", "Ctrl+V");
    mnuVoice.checked = true;
    setItem(mnuVio, "ちょっち過激な表現 (&B)", "Ctrl+B");
    mnuVio.checked = true;
    setItem(mnuFPS, "FPSの表示 (&F)", "Ctrl+F");
    setItem(zzz5, "-");
    setItem(mnuReset, "設定・ハイスコアをリセット (&R)...");
    mnuOption.children = {&mnuLevel, &zzz3, &mnu_UseMMX, &mnuKeys, &mnuVoice, &mnuVio, &mnuFPS, &zzz5, &mnuReset};

    setItem(mnuDBG, "ﾃﾞﾊﾞｯｸﾞ(&D)");
    setItem(mnuCODE, "コード入力 (&C)...", "Ctrl+Z");
    setItem(mnuCapture, "画面キャプチャ", "F9");
    mnuDBG.children = {&mnuCODE, &mnuCapture};

    setItem(mnuHelp, "ﾍﾙﾌﾟ(&H)");
    setItem(mnuWeb, "Webブラウザでﾍﾙﾌﾟﾌｧｲﾙを見る (&H)...", "F1");
    setItem(zzz4, "-");
    setItem(mnuVersion, "ヴァージョン情報 (&V)...");
    mnuHelp.children = {&mnuWeb, &zzz4, &mnuVersion};

    form.menuBar = {&mnuMenu, &mnuOption, &mnuDBG, &mnuHelp};

    mnuStart.onClick = [this] { mnuStart_Click(); };
    mnuPause.onClick = [this] { mnuPause_Click(); };
    mnuHS.onClick = [this] { mnuHS_Click(); };
    mnuBkT.onClick = [this] { mnuBkT_Click(); };
    mnuQuit.onClick = [this] { mnuQuit_Click(); };
    mnu_UseMMX.onClick = [this] { mnu_UseMMX_Click(); };
    mnuKeys.onClick = [this] { mnuKeys_Click(); };
    mnuVoice.onClick = [this] { mnuVoice_Click(); };
    mnuVio.onClick = [this] { mnuVio_Click(); };
    mnuFPS.onClick = [this] { mnuFPS_Click(); };
    mnuReset.onClick = [this] { mnuReset_Click(); };
    mnuCODE.onClick = [this] { mnuCODE_Click(); };
    mnuCapture.onClick = [this] { mnuCapture_Click(); };
    mnuWeb.onClick = [this] { mnuWeb_Click(); };
    mnuVersion.onClick = [this] { mnuVersion_Click(); };
}

void Form1::mnuVoice_Click() { mnuVoice.checked = !mnuVoice.checked; }
void Form1::mnuVio_Click() { mnuVio.checked = !mnuVio.checked; }
void Form1::mnuFPS_Click() { mnuFPS.checked = !mnuFPS.checked; }

void Form1::mnu_UseMMX_Click() {
    mnu_UseMMX.checked = !mnu_UseMMX.checked;
    mmxMode = mnu_UseMMX.checked ? PX_FLAG_MMX : 0;
}

}  // namespace game
