#pragma once
// Fame records (fame.dat).
void free_fame();
