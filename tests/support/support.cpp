#include "support.hpp"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include <unistd.h>

namespace test_support {

ВременнаяПапка::ВременнаяПапка() {
    std::random_device случай;
    const auto база = std::filesystem::temp_directory_path();
    for (int попытка = 0; попытка < 100; ++попытка) {
        auto кандидат = база / ("igra_test_" + std::to_string(::getpid()) + "_" + std::to_string(случай()));
        if (std::filesystem::create_directory(кандидат)) {
            путь_ = кандидат;
            return;
        }
    }
    throw std::runtime_error("не удалось создать временную папку");
}

ВременнаяПапка::~ВременнаяПапка() {
    std::error_code ошибка;
    std::filesystem::remove_all(путь_, ошибка);
}

РабочаяПапка::РабочаяПапка(const std::filesystem::path& папка) : прежняя_(std::filesystem::current_path()) {
    std::filesystem::current_path(папка);
}

РабочаяПапка::~РабочаяПапка() {
    std::error_code ошибка;
    std::filesystem::current_path(прежняя_, ошибка);
}

void записать_файл(const std::filesystem::path& файл, std::string_view содержимое) {
    std::ofstream поток(файл, std::ios::binary | std::ios::trunc);
    if (!поток) throw std::runtime_error("не удалось открыть для записи: " + файл.string());
    поток.write(содержимое.data(), static_cast<std::streamsize>(содержимое.size()));
}

std::string прочитать_файл(const std::filesystem::path& файл) {
    std::ifstream поток(файл, std::ios::binary);
    if (!поток) throw std::runtime_error("не удалось открыть для чтения: " + файл.string());
    std::ostringstream буфер;
    буфер << поток.rdbuf();
    return буфер.str();
}

}  // namespace test_support
