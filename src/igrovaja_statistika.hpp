// The score and lives of the current field, shown over the field in the info
// panel "статистика" with a pause marker. Without that panel the score and the
// lives are still counted. Main thread only.
#pragma once

#include <array>
#include <memory>
#include <string>

namespace zyr::infopanel { class Инфопанель; }
namespace zyr::element_infopaneli { class ЭлементИнфопанели; }
namespace zyr::text_infopaneli { class ТекстовыйЭлементИнфопанели; }

namespace igrovaja_statistika {

inline constexpr const char* ШРИФТ = "LiberationSerif-Italic_32";
// Red, green, blue.
inline constexpr std::array<float, 3> ЦВЕТ_ТЕКСТА{0.8f, 0.0f, 0.4f};

class ИгроваяСтатистика {
public:
    // Takes the panel "статистика" from the engine manager and, when there is
    // one, adds the score and lives texts to it and puts it on screen visible.
    static std::shared_ptr<ИгроваяСтатистика> создать();
    virtual ~ИгроваяСтатистика() = default;
    ИгроваяСтатистика(const ИгроваяСтатистика&) = delete;
    ИгроваяСтатистика& operator=(const ИгроваяСтатистика&) = delete;

    // No points, one life, no pause marker, both flags down; the texts are not redrawn.
    virtual void сброс_статистики();
    virtual void скрыть_паузу();
    virtual void показать_паузу();
    virtual void скрыть();
    // Redraws both texts and puts the panel on screen visible; nothing without a panel.
    virtual void показать();
    virtual void обновить_очки();
    virtual void обновить_жизни();
    // The score saturates at the ends of the int range.
    virtual void добавить_очки(int n);
    virtual void плюс_жизнь();
    // While lives remain, raises на_уменьшение_жизней and redraws; the last life
    // raises на_конец_игры and leaves the text as it was.
    virtual void минус_жизнь();
    virtual bool на_уменьшение_жизней() const;
    virtual bool на_конец_игры() const;
    virtual int количество_очков() const;
    // Both flags down.
    virtual void сброс_конца();

    // Read access for the field and tests; each element is null without the panel.
    int жизни() const { return жизни_; }
    const std::shared_ptr<zyr::infopanel::Инфопанель>& панель() const { return панель_; }
    const std::shared_ptr<zyr::element_infopaneli::ЭлементИнфопанели>& элемент_паузы() const {
        return элемент_паузы_;
    }
    const std::shared_ptr<zyr::text_infopaneli::ТекстовыйЭлементИнфопанели>& текст_очков() const {
        return текст_очков_;
    }
    const std::shared_ptr<zyr::text_infopaneli::ТекстовыйЭлементИнфопанели>& текст_жизней() const {
        return текст_жизней_;
    }

protected:
    ИгроваяСтатистика() = default;
    // The construction steps, run by создать once the object is complete.
    void построить();

private:
    using ТекстовыйЭлемент = zyr::text_infopaneli::ТекстовыйЭлементИнфопанели;

    std::shared_ptr<ТекстовыйЭлемент> новый_текст(const std::string& имя, float x, const std::string& текст);
    void написать(ТекстовыйЭлемент& элемент, const std::string& текст);

    std::shared_ptr<zyr::infopanel::Инфопанель> панель_;
    std::shared_ptr<zyr::element_infopaneli::ЭлементИнфопанели> элемент_паузы_;
    int очки_ = 0;
    std::shared_ptr<ТекстовыйЭлемент> текст_очков_;
    int жизни_ = 1;
    std::shared_ptr<ТекстовыйЭлемент> текст_жизней_;
    bool жизнь_потеряна_ = false;
    bool игра_окончена_ = false;
};

// The one statistics object of the run; the first field creates it.
extern std::shared_ptr<ИгроваяСтатистика> игровая_статистика;

}  // namespace igrovaja_statistika
