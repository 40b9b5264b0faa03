// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/load_messages.h"

namespace game {

namespace {

using platform::LoadProblem;

const char* reason(LoadProblem problem) {
    switch (problem) {
    case LoadProblem::kMissing: return "ファイルがありません。";
    case LoadProblem::kNotRegular: return "通常のファイルではありません。";
    case LoadProblem::kUnreadable: return "ファイルを読み込めません。";
    case LoadProblem::kNotElf: return "プログラムやライブラリのファイルではありません。";
    case LoadProblem::kOtherMachine: return "このコンピューター用のファイルではありません。";
    case LoadProblem::kNotLibrary: return "共有ライブラリではありません。";
    case LoadProblem::kNotProgram: return "プログラムではありません。";
    case LoadProblem::kCut: return "ファイルが途中で切れています（コピーや更新が最後まで終わっていません）。";
    default: return "";
    }
}

}  // namespace

std::string loadFailureText(const std::string& path, const platform::LoadFailure& failure) {
    switch (failure.problem) {
    // The system loader's words usually start with the file's name already.
    case LoadProblem::kRefused:
        return failure.detail.find(path) != std::string::npos ? failure.detail : path + ": " + failure.detail;
    case LoadProblem::kNoSymbol: return path + ": symbol " + failure.detail + " not found";
    case LoadProblem::kExecFailed: return path + ": 起動できませんでした（" + failure.detail + "）。";
    default: return path + ": " + reason(failure.problem);
    }
}

}  // namespace game
