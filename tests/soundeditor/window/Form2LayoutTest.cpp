// The sound editor uses the screen: the waveform grows with the window, the window keeps its
// size, and the controls without text explain themselves (the note line: SoundEditorCommandsTest).
#include "Form2Fixture.h"

#include "platform/RegistryStore.h"

namespace vorela {
namespace {

class Form2LayoutTest : public test::Form2Fixture {};

TEST_F(Form2LayoutTest, AWiderWindowWidensTheWaveformAndKeepsTheSelectedBytes)
{
    const std::unique_ptr<Form2> form = openListened();
    const int height = waveform(*form)->height();
    drag(waveform(*form), 100, 300);
    const ByteRange selected = selectedBytesIn(*form);
    ASSERT_FALSE(selected.empty());
    form->cutSelection();
    form->resize(form->width() + 400, form->height() + 100);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->waveformWidth(), test::ViewWidth + 400);
    EXPECT_EQ(waveform(*form)->height(), height + 100);
    // The undo step kept its selection through the new width.
    form->undoEdit();
    const ByteRange restored = selectedBytesIn(*form);
    EXPECT_NEAR(double(restored.start), double(selected.start), 34);
    EXPECT_NEAR(double(restored.end), double(selected.end), 34);
    // So does the marker alone: at the end it stays at the end.
    form->selectAll();
    form->resize(form->width() - 200, form->height());
    QCoreApplication::processEvents();
    EXPECT_EQ(selectedBytesIn(*form), (ByteRange{0, 16000}));
    for (const char *name : {"label_up", "label_dn", "slider_1"})
        EXPECT_FALSE(form->findChild<QWidget *>(name)->toolTip().isEmpty()) << name;
}

TEST_F(Form2LayoutTest, TheWindowOpensAtTheSizeItWasLeftAt)
{
    std::string error;
    const std::unique_ptr<RegistryStore> store =
        RegistryStore::open(dir.dataDirectory().registry(), error);
    ASSERT_TRUE(store) << error;
    SoundEditorContext withSettings = context;
    withSettings.settings = store.get();
    std::unique_ptr<Form2> form =
        openEditorWith(withSettings, SoundEditorMode::ReplaceInPlayer, "0001");
    const QSize least = form->size();
    audio.advance(5000);
    form->resize(least.width() + 300, least.height() + 150);
    QCoreApplication::processEvents();
    form->close();
    form = openEditorWith(withSettings, SoundEditorMode::ReplaceInPlayer, "0001");
    EXPECT_EQ(form->size(), QSize(least.width() + 300, least.height() + 150));
    EXPECT_EQ(form->waveformWidth(), test::ViewWidth + 300);
    audio.advance(5000);
}

} // namespace
} // namespace vorela
