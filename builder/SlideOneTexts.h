#pragma once
#include <QString>

namespace quillora { class SlideOneTexts { public: virtual ~SlideOneTexts() = default;
    virtual QString productName() const = 0; virtual QString planTitle() const = 0; }; }
