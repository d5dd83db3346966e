#include "app/engine.h"

int main() {
  EngineStart();
  EngineShutdown();
  return 0;
}
