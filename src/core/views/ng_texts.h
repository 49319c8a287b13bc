#pragma once
// The texts of the NG list commands.

#include <string_view>

#include "core/text/fixed_text.h"

namespace ruv::ng_texts {

inline const FixedText kNothingSelected{"文字が選択されていません。"};
inline const FixedText kThisOpen{"この「"};
inline const FixedText kOpen{"「"};
inline const FixedText kMultiLineHint{"（行末の改行文字まで選択されてる可能性があります）"};

inline const FixedText kMultiLineAddUser{
    "文章が複数行選択されているため、NGユーザーリストに追加出来ません。"};
inline const FixedText kReselectAddUser{
    "再度NGユーザーリストに追加したいユーザー名を選択し直してください。"};
inline const FixedText kMultiLineRemoveUser{
    "文章が複数行選択されているため、NGユーザーリストから削除出来ません。"};
inline const FixedText kReselectRemoveUser{
    "再度NGユーザーリストから削除したいユーザー名を選択し直してください。"};
inline const FixedText kDuplicateUser{"」は既にNGユーザーリストに含まれています。"};
inline const FixedText kAddedUser{"」をNGユーザーリストに追加しました。"};
inline const FixedText kRemovingUser{"」をNGユーザーリストから削除します。"};
inline const FixedText kRemovedUser{"」をNGユーザーリストから削除しました。"};
inline const FixedText kNotListedUser{"」はNGユーザーリストに登録されていません。"};

inline const FixedText kMultiLineAddWord{
    "文章が複数行選択されているため、NGワードリストに追加出来ません。"};
inline const FixedText kReselectAddWord{
    "再度NGワードリストに追加したいワードを選択し直してください。"};
inline const FixedText kMultiLineRemoveWord{
    "文章が複数行選択されているため、NGワードリストから削除出来ません。"};
inline const FixedText kReselectRemoveWord{
    "再度NGワードリストから削除したいワードを選択し直してください。"};
inline const FixedText kDuplicateWord{"」は既にNGワードリストに含まれています。"};
inline const FixedText kAddedWord{"」をNGワードリストに追加しました。"};
inline const FixedText kRemovingWord{"」をNGワードリストから削除します。"};
inline const FixedText kRemovedWord{"」をNGワードリストから削除しました。"};
inline const FixedText kNotListedWord{"」はNGワードリストに登録されていません。"};

}  // namespace ruv::ng_texts
