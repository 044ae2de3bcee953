// Effect managers and model attachments: ids, deletion of finished effects, handles that never
// reach a deleted emitter, and effects kept on the tagged points of an animated model.
#include <gtest/gtest.h>

#include <climits>

#include "g3d/effects/effect_manager.h"
#include "g3d/effects/model_attachments.h"
#include "g3d/effects/spawn_effect.h"
#include "g3d/renderer.h"
#include "tests/g3d/effects/effect_folder.h"

namespace {

using test_support::EffectFolder;

constexpr int burst = 1, stream = 2, empty = 3;

class Managers : public ::testing::Test {
 protected:
  void SetUp() override {
    EffectDef b = test_support::plain_def(4, 0);
    b.life_min = 0.05f;
    folder_.write_defs({{burst, b}, {stream, test_support::plain_def(8, 1)}, {empty, test_support::plain_def(0, 1)}});
  }
  EffectFolder folder_;
  EffectManager manager_;
};

TEST_F(Managers, NumbersFromZeroAndAgainAfterAClear) {
  int a = -5, b = -5, c = -5;
  ASSERT_NE(manager_.add(stream, 0, 0, 0, &a), nullptr);
  ASSERT_NE(manager_.add(stream, 0, 0, 0, &b), nullptr);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 1);
  manager_.clear();
  EXPECT_EQ(manager_.get(0), nullptr);
  ASSERT_NE(manager_.add(stream, 0, 0, 0, &c), nullptr);
  EXPECT_EQ(c, 0);
}

TEST_F(Managers, RefusesTypesItCannotMakeAndEverythingWhileDisabled) {
  int id = 7;
  for (int type : {0, empty, 5001, 4999}) {
    id = 7;
    EXPECT_EQ(manager_.add(type, 0, 0, 0, &id), nullptr) << type;
    EXPECT_EQ(id, -1) << type;
  }
  manager_.enabled = 0;
  id = 7;
  EXPECT_EQ(manager_.add(stream, 0, 0, 0, &id), nullptr);
  EXPECT_EQ(id, 7) << "no id written while disabled";
  EXPECT_EQ(manager_.get(-1), nullptr);
}

TEST_F(Managers, DeletesAFinishedEffectInTheUpdateThatFinishesIt) {
  const int id = spawn_effect(&manager_, burst, 0, 0, 0);
  ASSERT_EQ(id, 0);
  const EffectHandle handle = effect_handle(&manager_, id);
  int updates = 0;
  while (handle.get() && updates < 20) {
    manager_.update(100);
    ++updates;
    if (ParticleEmitter* e = handle.get()) {
      ASSERT_EQ(e->is_finished(), 0) << "a finished effect outlived its update";
    }
  }
  EXPECT_EQ(handle.get(), nullptr);
  EXPECT_LT(updates, 20);
  EXPECT_EQ(manager_.size(), 0);
}

TEST_F(Managers, PausedManagersDoNotUpdate) {
  spawn_effect(&manager_, stream, 0, 0, 0);
  manager_.paused = 1;
  manager_.update(500);
  EXPECT_EQ(test_support::alive(*manager_.get(0)), 0);
  manager_.paused = 0;
  manager_.update(500);
  EXPECT_GT(test_support::alive(*manager_.get(0)), 0);
}

TEST_F(Managers, TheIdCounterWrapsAtTheLargestIntWithoutOverwritingLiveEffects) {
  manager_.next_id = INT_MAX;
  int a, b, c;
  ParticleEmitter* first = manager_.add(stream, 0, 0, 0, &a);
  ParticleEmitter* second = manager_.add(stream, 0, 0, 0, &b);
  EXPECT_EQ(a, INT_MAX);
  EXPECT_EQ(b, 0);
  manager_.next_id = INT_MAX;  // both INT_MAX and 0 are taken
  manager_.add(stream, 0, 0, 0, &c);
  EXPECT_EQ(c, 1);
  EXPECT_EQ(manager_.get(INT_MAX), first);
  EXPECT_EQ(manager_.get(0), second);
  EXPECT_EQ(manager_.size(), 3);
}

// Points tagged 0, 2 and 4 (at x 0, 20, 40), rising 100 a frame over three frames.
class Attachments : public Managers {
 protected:
  void SetUp() override {
    Managers::SetUp();
    model_ = test_support::point_model({0, 2, 4}, 3);
    renderer.identity_matrix(&matrix_);
    instance_.attach_count = 4;
    instance_.attach_type[0] = stream;
    instance_.attach_stop[0] = 2;
    instance_.attach_type[1] = stream;  // no point tagged 1
    instance_.attach_type[2] = std::uint16_t(stream | attach_served);
    instance_.attach_type[4] = stream;  // stop key 0
  }
  void attach() { attach_model_effects(&manager_, &matrix_, &instance_, &model_, slots_); }

  G3dPoly model_;
  G3dMatrix matrix_;
  ActInstance instance_{};
  EffectSlots slots_;
};

TEST_F(Attachments, SpawnsEachRequestOnceAtItsPoint) {
  attach();
  EXPECT_EQ(manager_.size(), 2);
  ASSERT_NE(slots_[0].get(), nullptr);
  EXPECT_EQ(slots_[0].get()->started, 1);
  EXPECT_EQ(slots_[0].get()->stop_key, 2);
  EXPECT_EQ(slots_[4].get()->position.x, 40.0f);
  EXPECT_EQ(slots_[1].get(), nullptr);
  EXPECT_EQ(slots_[2].get(), nullptr) << "a served request is never spawned";
  EXPECT_EQ(instance_.attach_type[0], stream | attach_served);
  EXPECT_EQ(instance_.attach_type[1], stream) << "pending until the model has the point";
  attach();
  EXPECT_EQ(manager_.size(), 2) << "served once";
}

TEST_F(Attachments, FollowTheirPointsAndStopOnTheirFrame) {
  attach();
  instance_.picture = 1;
  attach();
  EXPECT_EQ(slots_[0].get()->position.y, 100.0f);
  EXPECT_EQ(slots_[0].get()->continuous, 1);
  instance_.picture = 2;
  attach();
  EXPECT_EQ(slots_[0].get()->position.y, 200.0f);
  EXPECT_EQ(slots_[0].get()->continuous, 0) << "stop key 2 met frame 2";
  instance_.picture = 0;
  attach();
  EXPECT_EQ(slots_[4].get()->continuous, 1) << "a stop key of 0 never stops";
  EXPECT_EQ(slots_[4].get()->position.x, 40.0f) << "each follows its own point";
  EXPECT_EQ(slots_[4].get()->position.y, 0.0f);
  instance_.picture = 1;
  attach();
  EXPECT_EQ(slots_[4].get()->position.x, 40.0f);
  EXPECT_EQ(slots_[4].get()->position.y, 100.0f);
  instance_.picture = 7;  // no such frame: the effects stay
  attach();
  EXPECT_EQ(slots_[4].get()->position.x, 40.0f);
  EXPECT_EQ(slots_[4].get()->position.y, 100.0f);
}

TEST_F(Attachments, SlotsOfDeletedEffectsCountAsEmpty) {
  attach();
  manager_.clear();
  EXPECT_EQ(slots_[0].get(), nullptr);
  instance_.picture = 1;
  attach();  // follows nothing, spawns nothing
  EXPECT_EQ(manager_.size(), 0);
  spawn_effect(&manager_, stream, 0, 0, 0);  // takes id 0 again
  EXPECT_EQ(slots_[0].get(), nullptr) << "a handle from before the clear";
  stop_slot_effects(slots_);
  EXPECT_EQ(manager_.get(0)->continuous, 1) << "the new effect is not stopped";
  EXPECT_EQ(slots_[0].get(), nullptr);
  EXPECT_EQ(slots_[0].manager, nullptr);
}

TEST_F(Attachments, WithoutAModelRequestsWait) {
  attach_model_effects(&manager_, &matrix_, &instance_, nullptr, slots_);
  EXPECT_EQ(manager_.size(), 0);
  EXPECT_EQ(instance_.attach_type[0], stream);
}

}  // namespace
