// Screen buttons: the list is never filled, so showing and deleting find nothing.
#include "ui/screen_button.h"

namespace {

constexpr int callback_slots = 32;
using ButtonCallback = void (*)();

void no_action() {}

ButtonCallback callbacks[callback_slots] = {};
int callback_uses[callback_slots] = {};

}  // namespace

void init_button() {
  for (int i = 0; i < callback_slots; ++i) {
    callbacks[i] = no_action;
    callback_uses[i] = 0;
  }
}

void show_button() {}
void del_all_button() {}
