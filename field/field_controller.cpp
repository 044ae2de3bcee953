// The field controller.
#include "field/field_controller.h"

#include "script/talk_queue.h"

void run_field() {}

void update_field_roles() {
  for (MapRole& event : TalkEventQueue)
    if (event.RoleID != 0) run_talk(&event);
  tick_talk_timer();
}
