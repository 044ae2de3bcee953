// The map record.
#include "field/map_file.h"

MapRecord map_record;
G3dWld* map_world = nullptr;
float map_grid_cell[3] = {};
float map_grid_origin[3] = {};
int map_grid_count[3] = {};

void load_map(MapRecord*, std::uint16_t) {}
void free_map(MapRecord* record) { free_map_notes(record); }
void free_map_tex() {}

void add_map_note(MapRecord* record, const MapNote& note) {
  MapNote* node = new MapNote(note);
  node->next = record->notes;
  record->notes = node;
  ++record->note_count;
}

void free_map_notes(MapRecord* record) {
  while (MapNote* node = record->notes) {
    record->notes = node->next;
    delete node;
  }
  record->note_count = 0;
}

int dec_map_cell_count(float, float, float) { return 0; }
int get_map_cell_count(int, int, int) { return -1; }
