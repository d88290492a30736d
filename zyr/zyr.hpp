// The engine's entry: reads the engine settings, opens the window with its
// OpenGL context and makes the one engine manager; and the frame loop's run.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "zyr/zyr_manager.hpp"

namespace zyr {

// Main thread only.
extern bool окно_инициализировано;
// The one engine manager of the run, null until инициализация_zyr succeeds.
extern std::shared_ptr<zyr_manager::ZYRМенеджер> менеджер;

// Reads the settings file (an empty name means "настройки_zyr.cfg"; a missing
// file keeps the defaults), opens the window and makes the manager over the
// resource directories. True when both exist; a failure to open the window
// throws (zavisimost::okno_SDL2::ОкноИсключение). Meant to run once per
// process: a second call would open a second window.
bool инициализация_zyr(const std::vector<std::string>& ресурсы, const std::string& файл_настроек);

// Runs the manager's frame loop (a negative count: until event handling asks
// to stop), then closes the window. Returns true.
bool запустить_визуализацию(std::int64_t кадров);

}  // namespace zyr
