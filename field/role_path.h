#pragma once
// Scripted role paths.
void run_role_paths();
void del_all_role_path();
