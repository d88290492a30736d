// Helpers shared by the tests: private temporary folders and file writing.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace test_support {

// A fresh folder under the system's temporary directory, removed with the object.
class ВременнаяПапка {
public:
    ВременнаяПапка();
    ~ВременнаяПапка();
    ВременнаяПапка(const ВременнаяПапка&) = delete;
    ВременнаяПапка& operator=(const ВременнаяПапка&) = delete;

    const std::filesystem::path& путь() const { return путь_; }
    std::filesystem::path operator/(std::string_view имя) const { return путь_ / std::string(имя); }

private:
    std::filesystem::path путь_;
};

// Makes the process work in a folder for the object's lifetime.
class РабочаяПапка {
public:
    explicit РабочаяПапка(const std::filesystem::path& папка);
    ~РабочаяПапка();
    РабочаяПапка(const РабочаяПапка&) = delete;
    РабочаяПапка& operator=(const РабочаяПапка&) = delete;

private:
    std::filesystem::path прежняя_;
};

void записать_файл(const std::filesystem::path& файл, std::string_view содержимое);
std::string прочитать_файл(const std::filesystem::path& файл);

}  // namespace test_support
