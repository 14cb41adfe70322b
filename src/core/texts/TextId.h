#pragma once

namespace quorvan {

// Names of the texts the program shows: first those of the controller's table that the windows use (the table
// keeps its numbers 0..225), then the texts this program added, which run from 1000 without gaps; each has an
// English and a simplified Chinese wording in TextTableData.cpp.
struct TextId {
    enum : int {
        // The controller's own texts that the windows show, by their numbers in its table (0..225).
        SystemOption = 1,       // "System Option"
        ImportButton = 2,       // "Import"
        ExportButton = 3,       // "Export"
        CopyTiming = 4,         // "Copy Timing"
        MusicPlay = 6,          // "Music Play"
        LocalGroup = 7,         // "LocalGroup"
        ExtGroup = 8,           // "Ext.Group"
        LocalZone = 9,          // "LocalZone"
        ExtZone = 10,           // "Ext.Zone"
        LocalPower = 11,        // "LocalPower"
        SynPower = 12,          // "Syn.Power"
        ExtPower = 13,          // "Ext.Power"
        Output = 14,            // "Output"
        Input = 15,             // "Input"
        KeepPower = 17,         // "Keep Power"
        NormalSchedule = 18,    // "Normal Schedule"
        Schedule1 = 19,         // "Schedule1" .. "Schedule4" follow
        RemoteList = 28,        // "Remote"
        ConvenientSetting = 29, // "Convenient Setting"
        NumberColumn = 30,      // "Number"
        WeekColumn = 31,        // "Week"
        StartTimeColumn = 32,   // "Start time"
        EndTimeColumn = 33,     // "End time"
        SoundColumn = 34,       // "Sound"
        PowerColumn = 36,       // "Power"
        ShortcutColumn = 38,    // "Shortcut"
        NameColumn = 41,        // "Name"
        SettingTime = 42,       // "Setting Time"
        StartTime = 43,         // "Start Time"
        EndTime = 44,           // "End Time"
        TimingEdit = 45,        // "Timing Edit"
        New = 46,               // "New"
        Save = 47,              // "Save"
        Delete = 48,            // "Delete"
        SettingPower = 49,      // "Setting Power"
        Aux = 50,               // "AUX"
        LocalMp3 = 51,          // "Local MP3"
        LocalFm = 52,           // "Local FM"
        ExtDvd = 53,            // "Ext DVD"
        ExtMp3 = 54,            // "Ext. MP3"
        ExtRadio = 55,          // "Ext. Radio"
        PlayMode = 56,          // "Play mode"
        RepeatMode = 57,        // "RepeatMod"
        FmChannel = 58,         // "FM channel"
        PresetChannel = 59,     // "Preset channel"
        ExtRadio1 = 60,         // "ExtRadio1" .. "ExtRadio8" follow
        CardStorage = 68,       // "Ext stroage"
        InternalStorage = 69,   // "Internal storage"
        MoveUp = 70,            // "Move up"
        MoveDown = 71,          // "Move down"
        Add = 72,               // "Add"
        Track = 73,             // "Track"
        ZoneSelect = 75,        // "Zone Select"
        SettingRemote = 84,     // "Setting Remote"
        SelectRemote = 85,      // "Select Remote"
        PlayInOrder = 86,       // "Order"
        PlayRandom = 87,        // "Random"
        RepeatOnce = 88,        // "Once"
        RepeatAll = 89,         // "All"
        SingleOnce = 90,        // "Single Once"
        SingleRepeat = 91,      // "Single Repeat"
        OrderOnce = 92,         // "Order Once"
        SettingZone = 94,       // "Setting Zone"
        SettingLanguage = 96,   // "Setting Language"
        PowerName = 97,         // "Power Name"
        ZoneName = 98,          // "Zone Name"
        NameSetting = 103,      // "Name Setting"
        Monday = 104,           // "Mon" .. "Sat" follow, then "Sun"
        Sunday = 110,           // "Sun"
        SourceLocalFm = 113,    // "LOCAL FM"
        SourceDvdPlayer = 114,  // "DVD PLAYER"
        SourceLocal = 115,      // "LOCAL"
        SourceExtRadio = 125,   // "Ext Radio"
        SourceAlarmVoice = 126, // "Alarm Voice"
        SourceLocalMic = 127,   // "LOCAL MIC"
        SourceRemoteMic = 128,  // "REMOTE MIC"
        Shortcut = 138,         // "Shortcut"
        RemoteKey = 139,        // "Remote"
        ListMonday = 140,       // "Mon" .. "Sat" follow, then "Sun", as the list writes weekdays
        ListSunday = 146,       // "Sun"
        CopyListFrom = 147,     // "Copy list form"
        CopyTo = 148,           // "To"
        ChoiceAll = 149,        // "[ All ]"
        ChoiceNew = 150,        // "[ New ]"
        ChoiceNull = 151,       // "[ Null ]"
        CopyNow = 152,          // "Copy Now!"
        Message = 153,          // "Message"
        Warning = 154,          // "Warning"
        CopyNullTiming = 155,   // "Can't Copy Null Timing!"
        CopyToAlarm = 156,      // "Can't Copy To Alarm And Shortcut!"
        CopyRepetition = 157,   // "Can't Copy Repetition Timing!"
        UnexpectedError = 158,  // "An Unexpected Error Has Occored!"
        ExportFailed = 159,     // "Export False !"
        ImportFailed = 160,     // "Import False , the folder not have correct data !"
        CopySuccess = 162,      // "Copy Timing Success!"
        ImportTitle = 163,      // "Plese Select import folder !"
        ExportTitle = 164,      // "Plese Select export folder !"
        ImportSuccess = 165,    // "Import success !"
        ExportSuccess = 166,    // "Export success !"
        AllSelect = 168,        // "All Select"
        Invert = 169,           // "Invert"
        Cancel = 170,           // "Cancel"
        Enter = 171,            // "Enter"
        Close = 172,            // "Close"
        OnOff = 176,            // "ON/OFF"
        AllOn = 177,            // "All On"
        AllOff = 178,           // "All Off"
        ZoneGroup = 179,        // "ZONE GROUP"
        FirstZoneGroup = 180,   // the ten zone groups' names follow
        PlayPause = 215,        // "Play/Pause"
        Stop = 218,             // "Stop"
        EditingLabel = 219,     // "Edit:"
        MusicPlayLabel = 220,   // "MusicPlay:"
        MusicStopped = 221,     // "Stop"
        MusicPlaying = 222,     // "Play"
        NowTimeLabel = 223,     // "Now Time:"
        ProgramTitle = 224,     // "Zone Broadcast System"
        First = 1000,
        ImportIncomplete = First, // lead line of the warning that lists files an import could not bring in
        ChangesNotSaved,          // lead line of the warning after a failed save
        UnsavedEntry,             // question before leaving an entry with unsaved changes
        SaveButton,
        DiscardButton,
        CancelButton,
        Documents, // accessible names from here on
        TimingEntries,
        Songs,
        PlayPosition,
        Volume,
        EntriesToCopy,
        WhereToCopy,
        UndoButton, // the undo history from here on
        RedoButton,
        UndoTip,
        RedoTip,
        NothingToUndo,
        NothingToRedo,
        UndoFailed,
        RedoFailed,
        StepAddEntry,
        StepChangeEntry,
        StepDeleteEntry,
        StepSavePreset,
        StepClearPreset,
        StepCopy,
        StepImport,
        StepRestore,
        DamagedFile, // backups and restore from here on
        BackupFailed,
        RestoreMenu,
        RestoreTitle,
        KeptAt,
        EntriesColumn,
        FirstStarts,
        SizeColumn,
        NoteColumn,
        MarkDamaged,
        MarkImport,
        RestoreButton,
        WholeImport,
        NoVersions,
        PreviewHeading,
        ClashWith, // clashes and the week view from here on
        OneClash,
        ClashCount,
        NewClash,
        PastMidnight,
        ContinuedFrom,
        ListView,
        WeekView,
        PrintButton,
        WeekTitle,
        TransferCopying, // the card workflow from here on
        TransferCancelled,
        Transferred,
        NotTransferred,
        MissingSongs,
        MoreMissingSongs,
        ReportButton,
        ReportTitle,
        SaveAsPdf,
        SaveAsCsv,
        FmColumn,
        SongsColumn,
        PdfFiles,
        CsvFiles,
        ReportNotSaved,
        CloseButton,
        OpenPlaylist, // desktop conveniences from here on
        SavePlaylist,
        PlaylistFiles,
        PlaylistNotSaved,
        PlaylistNotOpened,
        SongFileMissing,
        DuplicateEntry,
        FileChangedOutside, // files other programs touch, from here on
        ReloadButton,
        OverwriteButton,
        FileUnreadable,
        ReplaceUnreadable,
        ReplaceButton,
        HomeInUse,
        SettingsUnreadable,
        TransferCopyingFiles,
        DamagedFirstSave, // Step 16 from here on
        SaveAnyway,
        UndoDiscardsEdits,
        RedoDiscardsEdits,
        DiscardAndUndo,
        DiscardAndRedo,
        CheckingCardSongs,
        SameAsNow,
        KeepingVersions,
        ShowWholeList,
        CopyButton,
        SaveAsText,
        TextFiles,
        ListNotSaved,
        Undoing,
        Redoing,
        RestoringVersions,
        PageOfPages,
        PageCount,
        LayingOutPages,
        PrintingPage,
        CannotBeRemoved, // reasons the core gives, from here on
        ChangedSinceStep,
        CannotBeRebuilt,
        CannotCreateFolder,
        NotFoundIn,
        NoSuchFile,
        IsSymbolicLink,
        IsFolder,
        NotRegularFile,
        FileTooLarge,
        FileGrewTooLarge,
        PathAndReason,
        VersionTooLarge,
        ListFull,
        BellsNoSong,
        BellsTooManySongs,
        BellsNoWeekday,
        BellsNoLesson,
        BellsPastMidnight,
        BellsTooMany,
        ShiftLeavesTheDay,
        NoSuchEntry,
        StepDeleteEntries,
        StepDuplicateEntries,
        StepShiftEntries,
        StepAddBells,
        EntriesSelected,
        DeleteEntriesQuestion,
        ShiftTimes,
        ShiftTitle,
        ShiftEarlier,
        ShiftLater,
        ShiftRefused,
        BellPatternButton,
        BellPatternTitle,
        FirstLesson,
        LessonMinutes,
        LessonCount,
        BreakMinutes,
        BellsAt,
        AtLessonStart,
        AtLessonEnd,
        AtStartAndEnd,
        RingSeconds,
        BellsToAdd,
        BreaksInvalid,
        CopyToButton,
        CopyToTitle,
        CopyToWhere,
        ChangeTooManySongs,
        ChangeNothing,
        StepChangeEntries,
        ChangeButton,
        ChangeTitle,
        LeaveAsItIs,
        SetTo,
        AddThese,
        RemoveThese,
        KeepPowerLabel,
        TurnOn,
        TurnOff,
        ReplaceSong,
        BySong,
        AddSongsLine,
        RemoveSongLine,
        CompareSame,
        CompareChanged,
        CompareAdded,
        CompareRemoved,
        ListSeparator,
        CompareMenu,
        CompareKeptVersion,
        CompareFolderFile,
        CompareTitle,
        FileInFolder,
        KeptVersionCaption,
        CompareChooseFolder,
        CompareLegend,
        SideMissing,
        SideDamaged,
        SideUnreadable,
        ChangedDetails,
        SongsField,
        PlayModeField,
        FmField,
        ExternalField,
        PresetField,
        DamagedOnCard,
        NotOnCardKept,
        CreatedEmpty,
        FileReplaced,
        FileNew,
        CannotBeRead,
        NotHereKept,
        DamagedHere,
        ImportPreviewTitle,
        ExportPreviewTitle,
        ImportPreviewNote,
        ExportPreviewNote,
        FileColumn,
        WhatChanges,
        ShowDifferences,
        ReadingFiles,
        DifferenceHeading,
        CsvRowColumn,
        CsvRow,
        CsvNotUtf8,
        CsvNoHeader,
        CsvUnknownColumn,
        CsvDuplicateColumn,
        CsvMissingColumn,
        CsvExtraCells,
        CsvUnclosedQuote,
        CsvTooManyRows,
        CsvNotATime,
        CsvNotADay,
        CsvNotNumbers,
        CsvNotYesNo,
        CsvNotASource,
        CsvNotAMode,
        CsvNotAFrequency,
        CsvNotTracks,
        CsvNotStorage,
        CsvTooManySongs,
        CsvNameTooLong,
        CsvNameHasNul,
        CsvNotOtherBits,
        CsvOutOfRange,
        ExportEntries,
        ImportEntries,
        ImportEntriesTitle,
        CsvProblemsTitle,
        ReplaceAllButton,
        AppendButton,
        CsvEntriesRead,
        AppendTooMany,
        StepImportEntries,
        EntriesExported,
        EntriesNotExported,
        LicenceNotice,
        ManualMenu,
        ManualMissing,
        ManualNotOpened,
        End
    };
};

} // namespace quorvan
