#include "support/recording_subsystems.h"

HRESULT RecordingInput::Init(PlatformWindow*) {
    log_->push_back("input.Init");
    return S_OK;
}
void RecordingInput::ReadKeyboard() {
    log_->push_back("input.ReadKeyboard");
}
void RecordingInput::ReadMouse() {
    log_->push_back("input.ReadMouse");
}
void RecordingInput::Acquire() {
    log_->push_back("input.Acquire");
}
void RecordingInput::Release() {
    log_->push_back("input.Release");
}

HRESULT RecordingSound::Init(PlatformWindow*) {
    log_->push_back("sound.Init");
    return S_OK;
}
void RecordingSound::LoadEffects(const std::string& path) {
    log_->push_back("sound.LoadEffects(" + path + ")");
}
void RecordingSound::LoadMusicPlaylist(const std::string& path) {
    log_->push_back("sound.LoadMusicPlaylist(" + path + ")");
}
void RecordingSound::Update() {
    log_->push_back("sound.Update");
}
void RecordingSound::Shutdown() {
    log_->push_back("sound.Shutdown");
}

bool RecordingSound::PlayTrack(int index) {
    log_->push_back("sound.PlayTrack(" + std::to_string(index) + ")");
    return true;
}
void RecordingSound::NextTrack() {
    log_->push_back("sound.NextTrack");
}
void RecordingSound::PrevTrack() {
    log_->push_back("sound.PrevTrack");
}
void RecordingSound::StopMusic() {
    log_->push_back("sound.StopMusic");
}
void RecordingSound::PlayEffect(int number) {
    log_->push_back("sound.PlayEffect(" + std::to_string(number) + ")");
}
void RecordingSound::AddLevelSound(int id, int number, const char* name) {
    log_->push_back("sound.AddLevelSound(" + std::to_string(id) + ", " + std::to_string(number) +
                    ", " + name + ")");
}
void RecordingSound::PlayLevelSound(int index, int percent) {
    log_->push_back("sound.PlayLevelSound(" + std::to_string(index) + ", " +
                    std::to_string(percent) + ")");
}
void RecordingSound::SetLevelSoundVolume(int index, int percent) {
    log_->push_back("sound.SetLevelSoundVolume(" + std::to_string(index) + ", " +
                    std::to_string(percent) + ")");
}
void RecordingSound::StopLevelSound(int index) {
    log_->push_back("sound.StopLevelSound(" + std::to_string(index) + ")");
}
void RecordingSound::StopLevelSounds() {
    log_->push_back("sound.StopLevelSounds");
}
void RecordingSound::FreeLevelSounds() {
    log_->push_back("sound.FreeLevelSounds");
}

void RecordingMenu::Init(GLWindow*, InputSubsystem*, EventList*, GLExtensions*) {
    log_->push_back("menu.Init");
}
void RecordingMenu::Update(int32_t& appState) {
    log_->push_back("menu.Update");
    if (nextState >= 0)
        appState = nextState;
    nextState = -1;
}
void RecordingMenu::Draw() {
    log_->push_back("menu.Draw");
}
void RecordingMenu::Show(int screen) {
    log_->push_back("menu.Show(" + std::to_string(screen) + ")");
}

void RecordingGame::Attach(EventList*, GLWindow*, InputSubsystem*, SoundSubsystem*) {
    log_->push_back("game.Attach");
}
bool RecordingGame::StartGame() {
    log_->push_back("game.StartGame");
    return startSucceeds;
}
void RecordingGame::EndGame() {
    log_->push_back("game.EndGame");
}
void RecordingGame::TickTimer() {
    log_->push_back("game.TickTimer");
}
void RecordingGame::SetLastSimulatedTick(uint32_t tickCount) {
    lastSimulatedTick = tickCount;
    log_->push_back("game.SetLastSimulatedTick");
}
void RecordingGame::FrameUpdate() {
    log_->push_back("game.FrameUpdate");
}
void RecordingGame::ControlStep(int32_t& appState) {
    log_->push_back("game.ControlStep");
    if (nextState >= 0)
        appState = nextState;
    nextState = -1;
}
void RecordingGame::Draw(bool paused) {
    log_->push_back(paused ? "game.Draw(paused)" : "game.Draw");
}

RecordingInput::~RecordingInput() {
    log_->push_back("~input");
}
RecordingSound::~RecordingSound() {
    log_->push_back("~sound");
}
RecordingMenu::~RecordingMenu() {
    log_->push_back("~menu");
}
RecordingGame::~RecordingGame() {
    log_->push_back("~game");
}
