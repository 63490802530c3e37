#!/usr/bin/python3
"""An operator's session at the real Zephlin_AP window on the simulated writer.

In English, on a chip fresh from the simulator: Check ID, WholeChip Erase,
Dump Target, Auto with its default steps, Read Chip Checksum; the window is
closed through its cancel path, which ends the program and keeps the chip
in its state file. In Chinese, on a chip that zephlin programmed: Dump
Target, Auto writing the dump back, Read Chip Checksum. Each step is checked
in the Message panel: its entries, their outcomes and the checksum line.

Screenshots of the Auto dialog and of the window after the Auto run, in
both languages, go to the --shots folder.
"""

import argparse
import os
import re
import signal
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from zephlin_window import Desktop, Session  # noqa: E402

TRAILER = re.compile(r'   \[[0-9]+\.[0-9]{3}"\]')
# Below the ctest timeout, so that the display and the buses are stopped by
# the test itself even when a step hangs in a way no wait catches.
WHOLE_TEST_SECONDS = 240


def without_times(log):
    return TRAILER.sub("", log)


def expect(condition, message):
    if not condition:
        raise AssertionError(message)


def expect_log(window, expected):
    log = without_times(window.log_text())
    expect(log == expected, f"the log differs.\nexpected:\n{expected}\nshown:\n{log}")


def auto_run(window, run_name, title, shots, language):
    """Opens the Auto dialog, checks its default boxes, runs it, closes it."""
    window.press(title)
    dialog = window.dialog(title)
    defaults = {
        "en": {"WholeChip Erase": True, "Erase": False, "Blank Check": True, "Program": True,
               "Verify": True, "Write Options": True, "Save Chip Checksum": True},
        "zh": {"整片擦除": True, "擦除": False, "空检测": True, "编程": True, "校验": True,
               "写选项": True, "保存芯片检验和": True},
    }[language]
    for name, ticked in defaults.items():
        box = window.wait_for(name, "check box", root=dialog)
        expect(window.checked(box) == ticked, f"Auto box {name!r} ticked is not {ticked}")
    window.screenshot(os.path.join(shots, f"auto-dialog-{language}.png"), dialog)
    window.press(run_name, root=dialog)
    end = "自动 ======>End" if language == "zh" else "Auto ======>End"
    window.wait_for_log(lambda log: end in log, "the end of the Auto sequence", timeout=60)
    # The dialog stays open after a run until the user closes it.
    expect(window.find(run_name, "push button", root=dialog) is not None,
           "the Auto dialog closed by itself")
    window.key("Escape")
    window.screenshot(os.path.join(shots, f"after-auto-{language}.png"), window.window)


def checksum_of(log, label):
    found = re.search(re.escape(label) + r" 0x([0-9A-F]{4})\n", log)
    expect(found is not None, f"no checksum line in:\n{log}")
    return found.group(1)


def english_session(desktop, program, folder, state, shots):
    with Session(desktop, program, folder, ["--writer=sim", "--sim-state", state]) as window:
        expect("[simulated writer]" in window.window.get_name(), "the caption names no simulator")
        window.press("Check ID")
        window.wait_for_log(lambda log: log.count("]") == 1, "Check ID")
        window.press("WholeChip Erase")
        window.wait_for_log(lambda log: log.count("]") == 2, "WholeChip Erase")
        window.press("Dump Target")
        window.wait_for_log(lambda log: log.count("]") == 3, "Dump Target")
        expect(window.text_of(window.find("File Path", "text")) == "Dump Target",
               "page 0 does not show where its bytes came from")
        expect(window.text_of(window.find("Buffer Size", "text")) == "32768",
               "page 0 does not hold the whole main area")
        chip = window.text_of(window.find("Chip Checksum", "text"))
        expect(chip == "8000", f"an erased 32 KiB area sums to 8000, the page shows {chip}")

        auto_run(window, "Run", "Auto", shots, "en")
        window.press("Read Chip Checksum")
        window.wait_for_log(lambda log: "Chip Checksum :  0x" in log, "Read Chip Checksum")
        expect_log(window, "000 - Check ID =>Pass\n"
                           "001 - WholeChip Erase =>Pass\n"
                           "002 - Dump Target =>Pass\n"
                           "003 - Auto ======>Start\n"
                           "       WholeChip Erase =>Pass\n"
                           "       Blank Check =>Pass\n"
                           "       Program =>Pass\n"
                           "       Verify =>Pass\n"
                           "       Write Options =>Pass\n"
                           "         Auto ======>End\n"
                           "004 - Read Chip Checksum =>Pass\n"
                           "   Chip Checksum :  0x8000\n")

        # Escape is the cancel path: the settings are stored, the program ends.
        window.key("Escape")
        status = window.wait_for_exit()
        expect(status == 0, f"Zephlin_AP ended with status {status}")
    expect(os.path.exists(state), "the simulator's chip was not kept in its state file")
    with open(os.path.join(folder, "Setting.ini"), encoding="utf-8") as ini:
        expect("LastPartNo=0" in ini.read(), "closing did not store the part")


def chinese_session(desktop, program, zephlin, sample, folder, state, shots):
    # A chip that holds a program, written by the command-line tool.
    subprocess.run([zephlin, "program", sample, "--part", "0", "--writer", "sim",
                    "--sim-state", state], check=True, timeout=60, stdout=subprocess.DEVNULL)
    with Session(desktop, program, folder, ["--writer=sim", "--sim-state", state],
                 settings={"Language": 1}) as window:
        window.press("读目标芯片")
        window.wait_for_log(lambda log: log.count("]") == 1, "Dump Target")
        chip = window.text_of(window.find("芯片检验和", "text"))
        expect(chip != "8000", "the dump did not read the program on the chip")

        auto_run(window, "执行", "自动", shots, "zh")
        window.press("读取芯片检验和")
        window.wait_for_log(lambda log: "芯片检验和 :  0x" in log, "Read Chip Checksum")
        log = without_times(window.log_text())
        expect(log.startswith("000 - 读目标芯片 =>成功\n"
                              "001 - 自动 ======>Start\n"
                              "       整片擦除 =>成功\n"
                              "       空检测 =>成功\n"
                              "       编程 =>成功\n"
                              "       校验 =>成功\n"
                              "       写选项 =>成功\n"
                              "         自动 ======>End\n"
                              "002 - 读取芯片检验和 =>成功\n"), f"the log differs:\n{log}")
        read_back = checksum_of(log, "芯片检验和 : ")
        expect(read_back == chip,
               f"the chip reads back checksum {read_back}, the dumped page shows {chip}")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--program", required=True, help="the Zephlin_AP executable")
    parser.add_argument("--zephlin", required=True, help="the zephlin executable")
    parser.add_argument("--sample", required=True, help="an Intel HEX image for part 0")
    parser.add_argument("--shots", required=True, help="folder for the screenshots")
    arguments = parser.parse_args()
    os.makedirs(arguments.shots, exist_ok=True)

    def out_of_time(*_):
        raise TimeoutError(f"the session took longer than {WHOLE_TEST_SECONDS} s")

    signal.signal(signal.SIGALRM, out_of_time)
    signal.alarm(WHOLE_TEST_SECONDS)
    with tempfile.TemporaryDirectory(prefix="zephlin-e2e-") as folder, Desktop(folder) as desktop:
        for language in ("en", "zh"):
            os.makedirs(os.path.join(folder, language))
        english_session(desktop, arguments.program, os.path.join(folder, "en"),
                        os.path.join(folder, "en", "chip.state"), arguments.shots)
        print("English session: passed")
        chinese_session(desktop, arguments.program, arguments.zephlin, arguments.sample,
                        os.path.join(folder, "zh"), os.path.join(folder, "zh", "chip.state"),
                        arguments.shots)
        print("Chinese session: passed")
    print("2 passed, 0 failed")


if __name__ == "__main__":
    main()
