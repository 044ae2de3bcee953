#pragma once
// The interpreters' reports that more than one file of script/ gives.

// 找不到 RoleID ,此角色不在此地圖內
inline constexpr const char* talk_no_speaker_message =
    "\xA7\xE4\xA4\xA3\xA8\xEC RoleID ,\xA6\xB9\xA8\xA4\xA6\xE2\xA4\xA3\xA6""b\xA6\xB9\xA6""a\xB9\xCF\xA4\xBA";
// Talk[%d] 指令錯誤: 不合法之指令(%d)
inline constexpr const char* talk_illegal_message =
    "Talk[%d] \xAB\xFC\xA5O\xBF\xF9\xBB~: \xA4\xA3\xA6X\xAAk\xA4\xA7\xAB\xFC\xA5O(%d)";
// Talk[%d] 指令錯誤: 指令(%d)超出劇本範圍
inline constexpr const char* talk_out_of_script_message =
    "Talk[%d] \xAB\xFC\xA5O\xBF\xF9\xBB~: \xAB\xFC\xA5O(%d)\xB6W\xA5X\xBC@\xA5\xBB\xBD""d\xB3\xF2";
// AI[%d] 指令錯誤: 指令(%d)超出劇本範圍
inline constexpr const char* ai_out_of_script_message =
    "AI[%d] \xAB\xFC\xA5O\xBF\xF9\xBB~: \xAB\xFC\xA5O(%d)\xB6W\xA5X\xBC@\xA5\xBB\xBD""d\xB3\xF2";
// Talk[%d] 指令錯誤: 超過%d個指令
inline constexpr const char* talk_runaway_message =
    "Talk[%d] \xAB\xFC\xA5O\xBF\xF9\xBB~: \xB6W\xB9L%d\xAD\xD3\xAB\xFC\xA5O";
// AI[%d] 指令錯誤: 超過%d個指令
inline constexpr const char* ai_runaway_message = "AI[%d] \xAB\xFC\xA5O\xBF\xF9\xBB~: \xB6W\xB9L%d\xAD\xD3\xAB\xFC\xA5O";
// AI[%d] 找不到劇本
inline constexpr const char* ai_no_script_message = "AI[%d] \xA7\xE4\xA4\xA3\xA8\xEC\xBC@\xA5\xBB";
//  AI 指令錯誤: %d , AI%d
inline constexpr const char* ai_empty_table_message = " AI \xAB\xFC\xA5O\xBF\xF9\xBB~: %d , AI%d";
// AI指令 RoleID 不在此地圖內
inline constexpr const char* ai_no_speaker_message =
    "AI\xAB\xFC\xA5O RoleID \xA4\xA3\xA6""b\xA6\xB9\xA6""a\xB9\xCF\xA4\xBA";
// 對話%d 指令錯誤%d: 編號%d 不合法
inline constexpr const char* talk_bad_number_message =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O\xBF\xF9\xBB~%d: \xBDs\xB8\xB9%d \xA4\xA3\xA6X\xAAk";
// 對話%d 指令錯誤 %d: 找不到指定之 角色ID=%d
inline constexpr const char* talk_role_not_found_message =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O\xBF\xF9\xBB~ %d: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 \xA8\xA4\xA6\xE2ID=%d";
// 對話%d 指令錯誤%d: 找不到指定之角色ID=%d
inline constexpr const char* talk_walker_not_found_message =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O\xBF\xF9\xBB~%d: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7\xA8\xA4\xA6\xE2ID=%d";
// 對話%d 指令錯誤 %d: 找不到指定之 角色ID:%d
inline constexpr const char* camera_no_role_message =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O\xBF\xF9\xBB~ %d: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 "
    "\xA8\xA4\xA6\xE2ID:%d";
