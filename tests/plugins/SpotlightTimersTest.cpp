#include "PlugInFixture.h"
#include "document/Box.h"

namespace fendle::test {
namespace {

class SpotlightTimersTest : public PlugInFixture {
protected:
    // The plug-in that notes every call in the cache folder, switched on.
    std::unique_ptr<PlugInController> loadBeacon() { return loadOnly("Beacon", BeaconIdentifier); }
    QString beacon() const {
        QFile file(Paths::spotlightCacheFolder() + "beacon.txt");
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

TEST_F(SpotlightTimersTest, UnloadingTheSpotlightPlugInStopsEveryBoxsTimerAndLoadingStartsThem) {
    const BoxPtr first = controller->openUntitledDocument(false);
    const BoxPtr second = controller->openUntitledDocument(false);
    auto plugIns = loadBeacon();
    ASSERT_TRUE(plugIns->spotlightTimer(*first));
    ASSERT_TRUE(plugIns->spotlightTimer(*second));
    EXPECT_TRUE(plugIns->spotlightTimer(*first)->timer().isActive());
    // The default interval is ten minutes.
    EXPECT_EQ(plugIns->spotlightTimer(*first)->timer().interval(), 10 * 60 * 1000);

    plugIns->unloadPlugIn(BeaconIdentifier);
    EXPECT_FALSE(plugIns->spotlightTimer(*first));
    EXPECT_FALSE(plugIns->spotlightTimer(*second));
    EXPECT_FALSE(plugIns->spotlightInterface());

    plugIns->loadPlugIns({BeaconIdentifier});
    EXPECT_TRUE(plugIns->spotlightTimer(*first));
    EXPECT_TRUE(plugIns->spotlightTimer(*second));
}

TEST_F(SpotlightTimersTest, ABoxTellsItsInstanceOfStoredSlipsAndGeneratesOnceWhenItCloses) {
    const BoxPtr box = controller->openUntitledDocument(false);
    auto plugIns = loadBeacon();
    box->loadDocumentWithInitialData();
    box->showFirstSlip("Last in fendle");
    ASSERT_TRUE(box->currentSlip());
    box->editor().setSource("http://example.org");
    box->storeCurrentSlip();
    EXPECT_EQ(beacon(), "changed-" + box->currentSlip()->key() + "\n");

    plugIns->boxWillClose(*box);
    plugIns->boxWillClose(*box);
    EXPECT_EQ(beacon(), "changed-" + box->currentSlip()->key() + "\nclose\n");
    EXPECT_FALSE(plugIns->spotlightTimer(*box));
}

TEST_F(SpotlightTimersTest, WithoutASpotlightPlugInBoxesGetNoTimer) {
    install("Menus", userFolder);
    saveTable({MenusIdentifier});
    const BoxPtr box = controller->openUntitledDocument(false);
    auto plugIns = host();
    plugIns->prepareAndLoadPlugIns();
    EXPECT_FALSE(plugIns->startSpotlightTimer(*box));
}

}  // namespace
}  // namespace fendle::test
