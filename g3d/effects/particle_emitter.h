#pragma once
// The particle emitters: the one class family with virtual operations. Owners delete an emitter
// through its virtual destructor.
class ParticleEmitter {
 public:
  virtual ~ParticleEmitter() = default;
  virtual void restart() = 0;
  virtual void start() = 0;
  virtual void respawn(int particle) = 0;
  virtual void update(int elapsed_ms) = 0;
  virtual void draw() = 0;
};
