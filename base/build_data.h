#pragma once
// build.DAT, read at start-up.
void open_build_data();
void close_build_data();
