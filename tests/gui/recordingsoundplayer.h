#pragma once

#include "app/apperror.h"
#include "controls/soundplayer.h"

#include <QStringList>

namespace testutil {

// Records the clips a window asks for instead of playing them. A name in
// missing throws AppError 326, as a clip absent from the resources would.
class RecordingSoundPlayer : public askbright::SoundPlayer {
public:
    QStringList played;
    QStringList missing;

    void PlayWaveRes(const QString &name) override
    {
        if (missing.contains(name, Qt::CaseInsensitive))
            throw askbright::AppError(askbright::AppError::ResourceNotFound);
        played << name;
    }
};

} // namespace testutil
