// BrowserCache: loading the record once.
#include "BrowserCache.h"

#include "SettingsStore.h"
#include "UloResource.h"

const BrowserList& BrowserCache::list() {
    if (!loaded_) {
        if (!settings_store::loadBrowserList(&list_)) list_ = BrowserList::empty();
        loaded_ = true;
    }
    return list_;
}

bool BrowserCache::registered(uint32_t command) {
    if (command < CMD_BROWSER_IE || command > CMD_BROWSER_OPERA) return false;
    return list().isRegistered(command - CMD_BROWSER_IE);
}
