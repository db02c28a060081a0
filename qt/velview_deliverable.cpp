#include "deliverable.h"
#include "velview_catalogue.h"

const Deliverable& velviewDeliverable()
{
    // The caption ends in one blank, as the program has always shown it.
    static const Deliverable deliverable{u"VelisaVer2 ", velviewCatalogue(),
                                         ":/velview/built-in-picture.jpg",
                                         ":/velview/window-icon.ico", "Velview"};
    return deliverable;
}
