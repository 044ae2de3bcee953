#pragma once
// The developer dump of every placement row, "maprole.txt" in the game directory.

// Writes the dump; a file that cannot be written shows a message box and writes nothing.
void write_maprole_txt();
