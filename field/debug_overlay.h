#pragma once
// The debug overlay every screen draws last before presenting (shown only while its flags are
// set).
void draw_debug_info();
