// SPDX-License-Identifier: MIT
#include "app/WindowHost.h"

#include "pages/JavaPage.h"
#include "pages/MelodyPage.h"
#include "pages/PicturePage.h"

QList<ManagerPage*> WindowPages::managers() const {
    return {melodies, java, pictures};
}
