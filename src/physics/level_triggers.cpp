#include "physics/level_triggers.h"

void LevelTriggers::OnSceneLoaded() {
    endZones.clear();
    startPoints.clear();
    lastCheckpointId = 0;
    levelSoundCount = 0;
}

void LevelTriggers::OnSceneUnloaded() {
    endZones.clear();
    startPoints.clear();
    checkpoints.clear();
    soundTriggers.clear();
    levelSoundCount = 0;
}
