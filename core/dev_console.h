#pragma once
// The developer console: handled and drawn once a frame while it is open. Nothing opens it yet.
void update_console();
