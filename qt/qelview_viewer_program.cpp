#include "deliverable.h"

const Deliverable& qelviewDeliverable()
{
    static const Deliverable deliverable{qelviewProgram(), ":/qelview/built-in-picture.jpg",
                                         ":/qelview/window-icon.ico"};
    return deliverable;
}
