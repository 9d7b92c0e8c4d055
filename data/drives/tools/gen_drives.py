#!/usr/bin/env python3
"""Writes the drive model descriptions of the workbench: one <model>.json per drive model.

    python3 data/drives/tools/gen_drives.py            # writes data/drives/*.json
    python3 data/drives/tools/gen_drives.py --out DIR  # writes into DIR instead
    python3 data/drives/tools/check_drives.py          # checks what was written

Every model is described by a profile (PROFILES below): which motors it drives, how many inputs,
outputs, internal speeds, notch filters and table points it has, and which optional functions it
offers. The groups are built from the profile, so the four models share their wording and differ
where real drives of different sizes differ. Texts are written here in English; each is written to
the files in English and Chinese, the Chinese taken from texts_zh.py. Python 3 standard library only.
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True  # keep the source folder free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from drivedefs import INT16, INT32, UINT16, UINT32, Group, Localiser, dump_model  # noqa: E402
from texts_zh import ZH_CN  # noqa: E402

# Motor table: id -> (label, rated current A, maximum current A, rated speed rpm, maximum speed rpm,
# rated torque N.m, rotor inertia kg.cm2, pole pairs)
MOTORS = {
    201: ("40 mm flange, 50 W, 3000 rpm", 0.60, 1.80, 3000, 6000, 0.16, 0.03, 4),
    202: ("40 mm flange, 100 W, 3000 rpm", 0.90, 2.70, 3000, 6000, 0.32, 0.04, 4),
    211: ("60 mm flange, 200 W, 3000 rpm", 1.50, 4.50, 3000, 6000, 0.64, 0.18, 5),
    212: ("60 mm flange, 400 W, 3000 rpm", 2.60, 7.80, 3000, 6000, 1.27, 0.34, 5),
    221: ("80 mm flange, 750 W, 3000 rpm", 4.40, 13.20, 3000, 5000, 2.39, 1.26, 5),
    222: ("80 mm flange, 1.0 kW, 3000 rpm", 6.00, 18.00, 3000, 5000, 3.18, 1.62, 5),
    231: ("130 mm flange, 1.0 kW, 2000 rpm", 5.20, 15.60, 2000, 3000, 4.77, 8.60, 4),
    232: ("130 mm flange, 1.5 kW, 2000 rpm", 7.60, 22.80, 2000, 3000, 7.16, 12.40, 4),
    233: ("130 mm flange, 2.0 kW, 2000 rpm", 9.80, 29.40, 2000, 3000, 9.55, 15.90, 4),
}

# Which motor-table column each motor-type effect sets, and the target's decimals.
MOTOR_EFFECTS = [
    ("rated_current", 1, 2),
    ("max_current", 2, 2),
    ("rated_speed", 3, 0),
    ("max_speed", 4, 0),
    ("rated_torque", 5, 2),
    ("inertia", 6, 2),
]

DI_FUNCTIONS = [
    "0:Not assigned", "1:Servo enable", "2:Fault reset", "3:Control mode switch", "4:Gain set switch",
    "5:Zero-speed clamp", "6:Forward overtravel", "7:Reverse overtravel", "8:Forward external torque limit",
    "9:Reverse external torque limit", "10:Jog forward", "11:Jog reverse", "12:Command pulse inhibit",
    "13:Clear position deviation", "14:Internal speed select bit 0", "15:Internal speed select bit 1",
    "16:Internal speed select bit 2", "17:Home switch", "18:Start homing", "19:Emergency stop",
    "20:Point table start", "21:Point select bit 0", "22:Point select bit 1", "23:Point select bit 2",
    "24:Point select bit 3", "25:Electronic gear select", "26:Reverse speed command", "28:Pause motion",
    "29:Touch probe 1", "30:Touch probe 2", "32:Inertia ratio set switch",
]
DI_FUNCTIONS_LARGE = DI_FUNCTIONS + [
    "33:Point select bit 4", "34:Point select bit 5", "35:Cam engage", "36:Cam disengage",
    "37:Switch to external encoder", "38:Internal speed select bit 3", "40:Stop motion (ramp)",
]

DO_FUNCTIONS = [
    "0:Not assigned", "1:Servo ready", "2:Motor running", "3:Zero speed", "4:Speed reached",
    "5:Positioning complete", "6:Near positioning complete", "7:Torque limit active", "8:Speed limit active",
    "9:Brake release", "10:Warning", "11:Fault", "12:Homing complete", "13:Torque reached",
    "14:Point table motion done", "16:Set by fieldbus", "17:Position compare output",
]
DO_FUNCTIONS_LARGE = DO_FUNCTIONS + ["18:Cam engaged", "19:Axis synchronised", "20:Encoder battery low"]

MONITOR_ITEMS = [
    "0:Motor speed", "1:Speed command", "2:Torque command", "3:Phase current", "4:Position deviation",
    "5:DC bus voltage", "6:Input pulse frequency", "8:Analog input 1", "9:Analog input 2", "12:Load rate",
]

SCOPE_SOURCES = MONITOR_ITEMS + ["20:Digital inputs", "21:Digital outputs", "24:Fault occurrence"]

CONTROL_MODES = [
    "0:Position", "1:Speed", "2:Torque", "3:Position / speed (switched by input)",
    "4:Position / torque (switched by input)", "5:Speed / torque (switched by input)",
    "8:Fieldbus (mode set by the master)",
]

OFF_ON = ["0:Off", "1:On"]

# Fault code -> (name, reason, remedy, can be cleared, stops at once, recorded in history)
FAULTS = {
    "E.101": ("Parameter memory error", "The settings read from non-volatile memory failed their checksum.",
              "Restore the factory settings, enter the settings again and cycle the control power.", False, True, True),
    "E.102": ("Control board self-test failed", "The processor or its memory did not pass the power-up test.",
              "Cycle the control power; if it returns, the drive needs repair.", False, True, True),
    "E.105": ("Motor does not suit the drive", "The selected motor's rated current is far above or below the drive's.",
              "Check the motor type code against the motor name plate and the drive rating.", False, True, True),
    "E.110": ("Setting out of range after update", "A setting lies outside its new range after a firmware update.",
              "Review the settings listed as changed and write valid values, then save.", True, True, True),
    "E.201": ("Power stage overcurrent", "The hardware detected a current peak above the power stage limit.",
              "Check the motor cable for short circuits and reduce the current loop gain.", False, True, True),
    "E.202": ("Overcurrent detected by software", "The measured phase current exceeded the drive's peak rating.",
              "Lengthen acceleration times, reduce gains or check for a blocked axis.", True, True, True),
    "E.207": ("Earth fault at start-up", "Current leaked to protective earth while the output was tested.",
              "Measure the insulation of the motor and its cable against earth.", False, True, True),
    "E.301": ("DC bus overvoltage", "Braking energy raised the DC bus above its limit.",
              "Lengthen deceleration times or connect a larger braking resistor.", True, True, True),
    "E.302": ("DC bus undervoltage", "The mains voltage dropped while the drive was enabled.",
              "Check the supply voltage and the mains contactor; raise the threshold only if the supply is weak by design.", True, True, True),
    "E.303": ("Mains phase missing", "One phase of a three-phase supply is absent or very low.",
              "Check fuses and terminals of the mains supply, or select single-phase input.", True, True, True),
    "E.401": ("Overspeed", "The motor ran faster than the overspeed threshold.",
              "Check the speed command scaling and the speed loop gains, and look for an overhauling load.", True, True, True),
    "E.402": ("Runaway detected", "The motor accelerated against the direction of the torque command.",
              "Check the motor phase order and the encoder wiring.", False, True, True),
    "E.403": ("Following error too large", "The position deviation exceeded its threshold.",
              "Raise the gains or the threshold, lengthen acceleration times, or check the mechanics for binding.", True, True, True),
    "E.404": ("Command pulse frequency too high", "The pulse input ran above what the input filter accepts.",
              "Lower the command frequency or choose a faster input filter.", True, True, True),
    "E.501": ("Motor overload", "The motor ran above its rated current for too long.",
              "Reduce the load or the duty cycle, or choose a larger motor.", True, True, True),
    "E.502": ("Drive overload", "The power stage carried more than its rated current for too long.",
              "Reduce the load or the duty cycle, or choose a larger drive.", True, True, True),
    "E.503": ("Braking resistor overload", "The braking resistor absorbed more energy than it is rated for.",
              "Lengthen deceleration times or fit a resistor of higher power and enter its rating.", True, True, True),
    "E.601": ("Drive overtemperature", "The heat sink temperature exceeded its limit.",
              "Improve cabinet ventilation, clean the fan and reduce the load.", True, True, True),
    "E.602": ("Motor overtemperature", "The motor's temperature sensor reported overheating.",
              "Let the motor cool down and reduce the load; check the sensor wiring.", True, True, True),
    "E.701": ("Encoder communication lost", "The drive received no valid answer from the encoder.",
              "Check the encoder cable, its shield and its connectors.", False, True, True),
    "E.702": ("Encoder data error", "The encoder reported an internal error or inconsistent data.",
              "Cycle the power; replace the motor's encoder if it returns.", False, True, True),
    "E.703": ("Multi-turn position lost", "The encoder's backup battery ran empty while the power was off.",
              "Replace the battery, then home the axis again.", True, True, True),
    "E.801": ("Fieldbus communication timeout", "No telegram arrived within the communication timeout.",
              "Check the bus cable and the master's cycle, or lengthen the timeout.", True, False, True),
    "E.802": ("Synchronisation lost", "The drive lost the master's synchronisation signal.",
              "Check the bus cable and the cycle time settings of master and drive.", True, True, True),
    "E.901": ("Homing timed out", "The home position was not found within the homing time limit.",
              "Check the home switch and its input assignment, or lengthen the time limit.", True, False, True),
    "E.902": ("Software limit reached", "The position passed a software limit.",
              "Move the axis back inside the limits; check the limit values.", True, False, False),
    "E.903": ("Overtravel input active", "A limit-switch input stopped the motion.",
              "Jog the axis away from the limit switch in the opposite direction.", True, False, False),
    "E.951": ("Overload warning", "The load rate is above the warning level.",
              "Reduce the load before the overload fault trips.", True, False, False),
    "E.952": ("Encoder battery low", "The backup battery voltage is low.",
              "Replace the battery with the control power on so the position is kept.", True, False, False),
    "E.961": ("Cam table inconsistent", "The cam table has points that do not increase in master position.",
              "Correct the master positions of the cam table so they rise from point to point.", True, True, True),
    "E.962": ("External encoder deviation too large", "Motor and external encoder positions disagree by more than the limit.",
              "Check the external encoder resolution and direction, and the coupling of the mechanics.", True, True, True),
}

PROFILES = {
    "SD110": {
        "configVersion": "1.03",
        "axisNum": 1,
        "identity": {"family": "SD-A", "firmware": "A110-2.15", "number": 1101},
        "renamedFrom": [],
        "padded": True,
        "motors": [202, 211, 212, 221, 222],
        "motor_default": 212,
        "di": 6, "do": 5, "ai": 1, "ao": 1,
        "speeds": 8, "torques": 2, "notches": 2,
        "ptp_points": 6, "ptp_fields": "compact",
        "options": {"can"},
        "firmware_version": 215,
        "faults": ["E.101", "E.105", "E.110", "E.201", "E.202", "E.207", "E.301", "E.302", "E.303", "E.401",
                   "E.403", "E.404", "E.501", "E.502", "E.503", "E.601", "E.701", "E.702", "E.703", "E.801",
                   "E.901", "E.903", "E.951", "E.952"],
        "serial": "SA21C047",
    },
    "SD220": {
        "configVersion": "2.01",
        "axisNum": 2,
        "identity": {"family": "SD-B", "firmware": "B220-3.02", "number": 2201},
        "renamedFrom": [],
        "padded": True,
        "motors": [202, 211, 212, 221, 222, 231, 232],
        "motor_default": 221,
        "di": 12, "do": 6, "ai": 2, "ao": 2,
        "speeds": 16, "torques": 4, "notches": 4,
        "ptp_points": 24, "ptp_fields": "compact",
        "options": {"can", "dual_gain", "observer", "vibration", "extended_monitor", "touch_probe"},
        "firmware_version": 302,
        "faults": ["E.101", "E.102", "E.105", "E.110", "E.201", "E.202", "E.207", "E.301", "E.302", "E.303",
                   "E.401", "E.402", "E.403", "E.404", "E.501", "E.502", "E.503", "E.601", "E.602", "E.701",
                   "E.702", "E.703", "E.801", "E.802", "E.901", "E.902", "E.903", "E.951", "E.952"],
        "serial": "SB22D311",
    },
    "SD330": {
        "configVersion": "3.10",
        "axisNum": 3,
        "identity": {"family": "SD-C", "firmware": "C330-1.07", "number": 3301},
        "renamedFrom": ["SD-330", "SD330A"],
        "padded": False,
        "motors": [201, 202, 211, 212, 221],
        "motor_default": 211,
        "di": 16, "do": 8, "ai": 3, "ao": 2,
        "speeds": 16, "torques": 8, "notches": 4,
        "ptp_points": 64, "ptp_fields": "full",
        "cam_points": 48,
        "options": {"can", "ethernet", "dual_gain", "observer", "vibration", "extended_monitor", "touch_probe",
                    "cam", "fullclosed", "large_functions"},
        "firmware_version": 107,
        "faults": ["E.101", "E.102", "E.105", "E.110", "E.201", "E.202", "E.207", "E.301", "E.302", "E.401",
                   "E.402", "E.403", "E.501", "E.502", "E.503", "E.601", "E.602", "E.701", "E.702", "E.703",
                   "E.801", "E.802", "E.901", "E.902", "E.903", "E.951", "E.952", "E.961", "E.962"],
        "serial": "SC33A902",
    },
    "KV905": {
        "configVersion": "1.00",
        "axisNum": 1,
        "identity": {"family": "KV", "firmware": "KV9-1.08", "number": 905},
        "renamedFrom": [],
        "padded": True,
        "compact": True,
        "motors": [201, 202, 211],
        "motor_default": 202,
        "di": 4, "do": 2, "ai": 1, "ao": 0,
        "speeds": 4, "torques": 1, "notches": 1,
        "ptp_points": 4, "ptp_fields": "compact",
        "options": set(),
        "firmware_version": 108,
        "faults": ["E.101", "E.105", "E.201", "E.202", "E.301", "E.302", "E.401", "E.403", "E.501", "E.502",
                   "E.601", "E.701", "E.702", "E.901", "E.903", "E.951"],
        "serial": "KV9B0815",
    },
}

# Fixed time stamps (seconds since 1970-01-01 UTC) so that the files do not change between runs.
FACTORY_DATE = 1714557600  # 2024-05-01 10:00:00 UTC


class ModelBuilder:
    """Builds one model description from its profile."""

    def __init__(self, name, profile):
        self.name = name
        self.p = profile
        self.reg = {}
        self.groups = []
        self.enums = {}
        self.effects = []
        self.compact = profile.get("compact", False)

    def has(self, option):
        return option in self.p["options"]

    def group(self, number, title, state=False, width=2, code=None):
        if code is None:
            prefix = "U" if state else "P"
            code = "{}{:02d}".format(prefix, number) if (self.p["padded"] or state) else "{}{}".format(prefix, number)
        g = Group(code, title, state=state, width=width, registry=self.reg)
        self.groups.append(g)
        return g

    def shared_enum(self, name, items):
        self.enums[name] = list(items)
        return items

    # ---------------------------------------------------------------- motor and encoder
    def motor_group(self):
        g = self.group(0, "Motor and encoder")
        motors = self.p["motors"]
        m = MOTORS[self.p["motor_default"]]
        items = ["0:User-defined motor"] + ["{}:{}".format(i, MOTORS[i][0]) for i in motors]
        g.enum("Motor type", items, self.p["motor_default"], key="motor_type", common=True, authority=1, effect=1,
               relate="FPST",
               remark="Pick the motor from its name plate; rated current, speeds, torque and inertia are filled in "
                      "from the motor table.",
               relateParams=["@" + k for k, _, _ in MOTOR_EFFECTS])
        g.dec("Rated motor current", 0.1, 300, m[1], "A", 2, key="rated_current", authority=1, effect=1, relate="T",
              remark="Overload protection is based on this value; enter it only for a user-defined motor.")
        g.dec("Maximum motor current", 0.1, 900, m[2], "A", 2, key="max_current", authority=1, effect=1, relate="T")
        g.dec("Rated motor speed", 100, 6000, m[3], "rpm", key="rated_speed", authority=1, effect=1, relate="S")
        g.dec("Maximum motor speed", 100, 9000, m[4], "rpm", key="max_speed", authority=1, effect=1, relate="S",
              remark="The speed limits of the speed and torque modes cannot exceed this value.")
        g.dec("Rated motor torque", 0.01, 300, m[5], "N·m", 2, key="rated_torque", authority=1, effect=1, relate="T")
        g.dec("Rotor inertia", 0.01, 500, m[6], "kg·cm²", 2, key="inertia", authority=1, effect=1, relate="PS",
              remark="The load inertia ratio is measured relative to this value.")
        g.dec("Motor pole pairs", 1, 32, m[7], key="pole_pairs", authority=1, effect=1, relate="T")
        if not self.compact:
            g.dec("Stator resistance (phase to phase)", 0.001, 65, 2.150, "Ω", 3, authority=2, effect=1, relate="T",
                  remark="Measured by the motor identification; keep the value it found.")
            g.dec("Stator inductance, d axis", 0.01, 650, 6.80, "mH", 2, authority=2, effect=1, relate="T")
            g.dec("Stator inductance, q axis", 0.01, 650, 7.20, "mH", 2, authority=2, effect=1, relate="T")
            g.dec("Back-EMF constant", 0.1, 1000, 18.5, "mV/rpm", 1, authority=2, effect=1, relate="ST")
        enc_items = ["0:Incremental, 2500 lines with index", "2:Serial, 17-bit single-turn",
                     "3:Serial, 23-bit single-turn", "5:Serial, 23-bit multi-turn"]
        if not self.compact:
            enc_items.append("7:Resolver, one pole pair")
        g.enum("Encoder type", enc_items, 5 if not self.compact else 3, key="encoder_type", authority=1, effect=1,
               relate="F", remark="A wrong encoder type gives an encoder fault as soon as the drive starts.")
        g.dec("Encoder resolution", 1, 1 << 30, 8388608, "count/rev", dt=UINT32, rw=0, relate="FP",
              remark="Read from the encoder at power-up; the electronic gear refers to this resolution.")
        if not self.compact:
            g.enum("Absolute position use", ["0:Incremental use", "1:Absolute, linear axis",
                                             "2:Absolute, rotary axis with modulo"], 0, key="abs_mode", effect=1,
                   relate="FP", remark="Absolute use needs a multi-turn encoder with a charged backup battery.")
            g.dec("Modulo range of a rotary axis", 1, 1 << 30, 3600000, "pulse", dt=UINT32, effect=1, relate="P")
            g.dec64("Multi-turn position offset", -(1 << 47), (1 << 47) - 1, 0, "count", key="mt_offset", authority=1,
                    effect=1, relate="FP",
                    remark="Written when the home position is set; change it by hand only to re-reference an "
                           "absolute axis.")
        g.dec("Electrical angle offset", 0, 359.9, 0, "°", 1, authority=2, effect=1, relate="T",
              remark="Found by the angle identification; a wrong value costs torque or lets the motor run away.")
        if not self.compact:
            g.enum("Motor phase order", ["0:U-V-W", "1:U-W-V"], 0, authority=2, effect=1, relate="T")
            g.enum("Motor temperature sensor", ["0:None", "1:PTC thermistor", "2:KTY sensor",
                                                "4:Reported by encoder"], 0, effect=1, authority=1)
        g.enum("Holding brake fitted", ["0:No brake", "1:Brake, controlled by the drive"], 0, effect=1,
               relate="PST", remark="With a brake fitted, assign the brake-release output as well.")
        g.dec("Drive rated current", 0.1, 300, 3.0 if self.compact else 5.5, "A", 2, rw=3, relate="T")
        g.dec("Drive rated power", 0.05, 30, 0.4 if self.compact else 1.0, "kW", 2, rw=3)
        g.text("Drive serial number", self.p["serial"], rw=3, store=True)
        g.datetime("Date of manufacture", FACTORY_DATE, rw=3)
        g.version("Power board version", 103, rw=3)

    # ---------------------------------------------------------------- basic control
    def basic_group(self):
        g = self.group(1, "Basic control")
        g.enum("Control mode", CONTROL_MODES, 0, enum_name="controlMode", key="control_mode", common=True, effect=2,
               relate="PST", remark="Change the mode with the motor stopped; the drive takes it over once it is idle.",
               relateParams=["@pos_source", "@speed_source", "@torque_source"])
        self.shared_enum("controlMode", CONTROL_MODES)
        g.enum("Direction of rotation", ["0:Counter-clockwise for a positive command",
                                         "1:Clockwise for a positive command"], 0, common=True, effect=2, relate="PST",
               remark="Seen from the motor shaft end; the encoder output follows the same direction.")
        g.enum("Stop mode at servo off", ["0:Coast to stop", "1:Dynamic brake, then coast",
                                          "2:Dynamic brake, keep braking", "4:Ramp down, then coast"], 1, effect=0,
               relate="S")
        if not self.compact:
            g.enum("Stop mode at a fault", ["0:Coast to stop", "1:Dynamic brake, then coast",
                                            "2:Dynamic brake, keep braking"], 1, relate="S")
            g.enum("Stop mode at overtravel", ["0:Coast to stop", "1:Ramp down, then hold with zero speed",
                                               "3:Ramp down, then coast"], 1, relate="S")
        g.dec("Emergency stop deceleration time", 0, 10000, 100, "ms", key="estop_time", relate="S",
              remark="Time to ramp from the maximum speed to standstill when a quick stop is requested.")
        g.dec("Brake release delay after enable", 0, 500, 100, "ms", relate="PST",
              remark="Lengthen it if the axis drops briefly when the servo is switched on.")
        g.dec("Brake engage delay at servo off", 0, 1000, 150, "ms", relate="PST")
        if not self.compact:
            g.dec("Speed for engaging the brake while moving", 0, 3000, 30, "rpm", relate="S")
        g.enum("Braking resistor", ["0:Internal resistor", "1:External resistor, natural cooling",
                                    "2:External resistor, forced cooling", "3:No resistor (bus capacitors only)"], 0,
               key="resistor", effect=0, relateParams=["@resistor_power", "@resistor_value"],
               remark="With an external resistor, enter its power and resistance so the overload protection fits.")
        g.dec("External resistor power", 10, 10000, 100, "W", key="resistor_power")
        g.dec("External resistor value", 1, 1000, 40, "Ω", key="resistor_value")
        g.menu("Mains supply", [("Phases", ["Single-phase", "Three-phase"]),
                                ("Phase-loss detection", ["Off", "On"]),
                                ("DC bus", ["Own supply", "Shared DC bus"])], 11, effect=1,
               remark="Switch phase-loss detection off only for a single-phase supply.")
        g.enum("Servo enable source", ["0:Digital input", "1:Enabled after power-up", "2:Fieldbus"], 0, effect=1,
               relate="PST")
        self.shared_enum("monitorItem", MONITOR_ITEMS)
        if not self.compact:
            g.enum("Panel display at power-up", MONITOR_ITEMS, 0, enum_name="monitorItem")
        g.dec("Jog speed", 0, 3000, 200, "rpm", common=True, relate="S", key="jog_speed")
        if not self.compact:
            g.dec("Jog acceleration time", 0, 10000, 200, "ms", relate="S")
        g.dec("Maximum speed limit", 0, 9000, 6000, "rpm", relate="PST",
              remark="Limits every mode; keep it below the maximum motor speed.")
        if not self.compact:
            g.enum("Setting write protection", ["0:All settings writable", "1:Only this group writable",
                                                "2:All settings locked"], 0)
            g.dec("Enable delay after power-up", 0, 10000, 0, "ms", effect=1)
            g.enum("Dynamic brake at power loss", OFF_ON, 1, relate="S")

    # ---------------------------------------------------------------- gains
    def gain_group(self):
        g = self.group(2, "Gains and tuning")
        g.dec("Position loop gain 1", 0, 2000, 48, "1/s", 1, key="kp1", common=True, relate="P",
              relateParams=["@kv1", "@ti1", "@ff_speed"],
              remark="Raise it for stiffer positioning; back off if the axis overshoots or hums at standstill.")
        g.dec("Speed loop gain 1", 0.1, 3000, 27, "Hz", 1, key="kv1", common=True, relate="PS",
              relateParams=["@kp1", "@ti1", "@tf1", "@inertia_ratio", "@speed_fb_cutoff"],
              remark="The speed feedback filter follows at four times this value; set the inertia ratio first.")
        g.dec("Speed loop integral time 1", 0.15, 512, 21.00, "ms", 2, key="ti1", common=True, relate="PS",
              relateParams=["@kv1"], remark="Shorter times remove speed errors faster but reduce damping.")
        g.dec("Torque command filter time 1", 0, 30, 0.79, "ms", 2, key="tf1", common=True, relate="T",
              relateParams=["@kv1"], remark="Lengthen it slightly if a high-pitched noise appears after raising gains.")
        if self.has("dual_gain"):
            g.dec("Position loop gain 2", 0, 2000, 57, "1/s", 1, key="kp2", relate="P", relateParams=["@kp1"])
            g.dec("Speed loop gain 2", 0.1, 3000, 27, "Hz", 1, key="kv2", relate="PS", relateParams=["@kv1"])
            g.dec("Speed loop integral time 2", 0.15, 512, 512, "ms", 2, relate="PS",
                  remark="The largest value switches the integral action off while gain set 2 is active.")
            g.dec("Torque command filter time 2", 0, 30, 0.79, "ms", 2, relate="T")
        g.dec("Load inertia ratio", 0, 120, 1.00, "times", 2, key="inertia_ratio", common=True, relate="PS",
              relateParams=["@kv1", "@inertia"],
              remark="Ratio of load inertia to rotor inertia; let the auto-tuning measure it before tuning gains.")
        if self.has("dual_gain"):
            g.enum("Gain switching condition", ["0:Always gain set 1", "1:Switched by input", "2:Torque command high",
                                                "3:Speed command high", "5:Position deviation large",
                                                "6:While positioning", "10:Always gain set 2"], 0, relate="PS",
                   relateParams=["@gain_sw_level"])
            g.dec("Gain switching level", 0, 20000, 50, key="gain_sw_level", relate="PS")
            g.dec("Gain switching delay", 0, 1000, 5.0, "ms", 1, relate="PS")
            g.dec("Gain switching time", 0, 1000, 3, "ms", relate="PS")
        g.dec("Speed feed-forward gain", 0, 100, 30.0, "%", 1, key="ff_speed", relate="P",
              remark="Shortens settling in positioning; too much makes the axis overshoot the target.")
        if not self.compact:
            g.dec("Speed feed-forward filter time", 0, 64, 0.50, "ms", 2, relate="P")
        g.dec("Torque feed-forward gain", 0, 200, 0, "%", 1, relate="PS")
        if not self.compact:
            g.dec("Torque feed-forward filter time", 0, 64, 0.50, "ms", 2, relate="PS")
        g.enum("Tuning mode", ["0:Manual gains", "1:Standard auto-tuning", "2:Auto-tuning for positioning",
                               "4:One-parameter tuning"], 1, key="tuning_mode", common=True, relate="PS",
               relateParams=["@rigidity"])
        g.dec("Rigidity level", 0, 31, 12, key="rigidity", common=True, relate="PS",
              remark="Raise one step at a time while watching for vibration; belts and long shafts need low levels.")
        g.dec("Current loop gain", 100, 10000, 1800, "Hz", authority=2, relate="T",
              remark="Set in the factory for the power stage; change only together with the motor data.")
        g.dec("Current loop integral time", 0.10, 50, 0.80, "ms", 2, authority=2, relate="T")
        if self.has("observer"):
            g.dec("Disturbance observer gain", 0, 100, 0, "%", 1, authority=1, relate="S",
                  remark="Compensates load torque changes; start at 30 % and raise slowly.")
            g.dec("Disturbance observer filter time", 0, 25, 0.80, "ms", 2, authority=1, relate="S")
            g.dec("Friction compensation", 0, 100, 0, "%", 1, authority=1, relate="PS")
            g.enum("Model-following control", ["0:Off", "1:On, position mode", "2:On, position and speed modes"], 0,
                   authority=1, relate="PS")
            g.dec("Model-following bandwidth", 1, 2000, 50, "Hz", 1, authority=1, relate="PS")
        if not self.compact:
            g.dec("Speed controller proportional share", 0, 100, 100, "%", relate="S",
                  remark="Below 100 % the speed controller reacts more softly to command steps.")

    # ---------------------------------------------------------------- filters
    def filter_group(self):
        g = self.group(3, "Filters and vibration suppression")
        for n in range(1, self.p["notches"] + 1):
            g.dec("Notch filter {} frequency".format(n), 50, 5000, 5000, "Hz", key="notch{}".format(n),
                  relate="ST", relateParams=["@notch{}_width".format(n), "@notch{}_depth".format(n)],
                  remark="5000 Hz switches the filter off." if n == 1 else None)
            g.dec("Notch filter {} width".format(n), 0, 20, 2, key="notch{}_width".format(n), relate="ST")
            g.dec("Notch filter {} depth".format(n), 0, 99, 0, key="notch{}_depth".format(n), relate="ST",
                  remark="0 removes the frequency completely; larger values remove less." if n == 1 else None)
        if not self.compact:
            g.enum("Adaptive notch filter", ["0:Off", "1:One adaptive filter", "2:Two adaptive filters",
                                             "3:Measure the resonance only"], 0, relate="ST",
                   remark="The adaptive filters overwrite the settings of the last notch filters.")
            g.dec("Resonance detection level", 0, 100, 20, "%", relate="ST")
        if self.has("vibration"):
            g.dec("Vibration suppression frequency 1", 1, 200, 200, "Hz", 1, relate="P",
                  remark="Damps the low-frequency swing of the machine end at the end of a move; 200 Hz is off.")
            g.dec("Vibration suppression damping 1", 0, 1, 0.10, prec=2, relate="P")
            g.dec("Vibration suppression frequency 2", 1, 200, 200, "Hz", 1, relate="P")
            g.dec("Vibration suppression damping 2", 0, 1, 0.10, prec=2, relate="P")
        g.dec("Speed feedback filter cut-off", 10, 10000, 108, "Hz", key="speed_fb_cutoff", relate="S",
              remark="Kept at four times the speed loop gain when that gain is written.")
        g.dec("Position command smoothing time", 0, 1000, 0, "ms", 1, relate="P",
              remark="Rounds off the command profile for a smoother start and stop; it delays arrival.")
        g.dec("Position command averaging time", 0, 128, 0, "ms", 1, relate="P")
        g.dec("Speed command filter time", 0, 64, 0, "ms", 2, relate="S")
        if not self.compact:
            g.dec("Torque command second filter frequency", 100, 5000, 5000, "Hz", relate="T")
            g.dec("Torque command second filter damping", 0, 1, 0.71, prec=2, relate="T")

    # ---------------------------------------------------------------- position
    def position_group(self):
        g = self.group(4, "Position control")
        g.enum("Position command source", ["0:Pulse input", "1:Point-to-point table", "2:Fieldbus"], 0,
               key="pos_source", common=True, effect=2, relate="P")
        g.menu("Pulse input configuration", [("Pulse form", ["Pulse and direction", "A/B quadrature, four-fold",
                                                            "Forward and reverse pulses"]),
                                            ("Logic", ["Positive", "Negative"]),
                                            ("Input filter", ["4 MHz", "1 MHz", "500 kHz", "200 kHz"])], 100,
               common=True, effect=1, relate="P",
               remark="Choose the slowest filter the command frequency allows, for the best noise immunity.")
        g.dec("Command pulses per motor revolution", 0, 8388608, 0, "pulse", dt=UINT32, key="pulses_per_rev",
              common=True, effect=2, relate="P", relateParams=["@gear_num1", "@gear_den1"],
              remark="0 uses the electronic gear; any other value also sets gear denominator 1.")
        g.dec("Electronic gear numerator 1", 1, 1 << 30, 8388608, dt=UINT32, key="gear_num1", common=True, effect=2,
              relate="P", relateParams=["@gear_den1", "@pulses_per_rev"],
              remark="Numerator over denominator gives the encoder counts moved per command pulse.")
        g.dec("Electronic gear denominator 1", 1, 1 << 30, 10000, dt=UINT32, key="gear_den1", common=True, effect=2,
              relate="P", relateParams=["@gear_num1", "@pulses_per_rev"])
        if not self.compact:
            g.dec("Electronic gear numerator 2", 1, 1 << 30, 8388608, dt=UINT32, key="gear_num2", effect=2,
                  relate="P", relateParams=["@gear_den2"])
            g.dec("Electronic gear denominator 2", 1, 1 << 30, 10000, dt=UINT32, key="gear_den2", effect=2,
                  relate="P", relateParams=["@gear_num2"])
        if not self.compact:
            g.enum("Clearing the position deviation", ["0:At servo off and at a fault", "1:At a fault only",
                                                       "2:By input only"], 0, relate="P")
        g.dec("Positioning complete window", 0, 65535, 10, "pulse", common=True, relate="P",
              remark="Too small a window makes the complete signal flicker while the axis settles.")
        g.enum("Positioning complete condition", ["0:Deviation inside the window",
                                                  "1:Inside the window and command finished",
                                                  "2:Inside the window, command finished and filter settled"], 1,
               relate="P")
        g.dec("Following error limit", 1, 1 << 30, 3145728, "count", dt=UINT32, key="follow_limit", relate="P",
              remark="A fault is raised beyond this deviation; too high a value hides mechanical problems.")
        g.dec("Encoder output pulses per revolution", 16, 1 << 20, 2500, "pulse", dt=UINT32, effect=1, relate="F")
        if not self.compact:
            g.enum("Encoder output direction", ["0:Same as motor", "1:Inverted"], 0, effect=1, relate="F")
        g.dec("Positive software limit", -(1 << 30), (1 << 30) - 1, (1 << 30) - 1, "pulse", dt=INT32,
              key="soft_limit_pos", relate="P", relateParams=["@soft_limit_neg", "@soft_limit_on"])
        g.dec("Negative software limit", -(1 << 30), (1 << 30) - 1, -(1 << 30), "pulse", dt=INT32,
              key="soft_limit_neg", relate="P", relateParams=["@soft_limit_pos", "@soft_limit_on"])
        g.enum("Software limits", ["0:Off", "1:On after homing", "2:Always on"], 0, key="soft_limit_on", relate="P",
               remark="Use 'On after homing' with incremental encoders so the limits refer to a known home.")
        if not self.compact:
            g.enum("Pulse inhibit behaviour", ["0:Ignore pulses, keep position", "1:Ignore pulses, clear deviation"],
                   0, relate="P")
            g.dec("Position deviation warning level", 0, 1 << 30, 1048576, "count", dt=UINT32, relate="P")

    # ---------------------------------------------------------------- speed
    def speed_group(self):
        g = self.group(5, "Speed control")
        g.enum("Speed command source", ["0:Analog input 1", "1:Internal speeds", "2:Analog input 1 plus internal",
                                        "3:Fieldbus", "5:Jog"], 0, key="speed_source", common=True, effect=2,
               relate="S")
        g.dec("Analog speed command scale", 10, 10000, 500, "rpm/V", relate="S",
              remark="Speed at 1 V of analog input; negative voltages turn the motor the other way.")
        g.dec("Acceleration time", 0, 65535, 100, "ms", key="acc_time", common=True, relate="S",
              remark="Time from standstill to 1000 rpm.")
        g.dec("Deceleration time", 0, 65535, 100, "ms", key="dec_time", common=True, relate="S")
        if not self.compact:
            g.dec("S-curve time", 0, 1000, 0, "ms", relate="S")
        g.enum("Zero-speed clamp", ["0:Off", "1:Clamp to zero speed", "2:Clamp and hold position"], 0, relate="S")
        if not self.compact:
            g.dec("Zero-speed clamp level", 0, 6000, 30, "rpm", relate="S")
        g.dec("Speed reached window", 0, 6000, 50, "rpm", relate="S")
        g.dec("Zero-speed detection level", 0, 6000, 20, "rpm", relate="S")
        if not self.compact:
            g.dec("Forward speed limit", 0, 9000, 6000, "rpm", relate="S")
            g.dec("Reverse speed limit", 0, 9000, 6000, "rpm", relate="S")
        for n in range(1, self.p["speeds"] + 1):
            g.dec("Internal speed {}".format(n), -9000, 9000, 100 * n if n <= 8 else 0, "rpm", dt=INT16,
                  relate="S", remark="Selected by the internal speed select inputs." if n == 1 else None)
        if not self.compact:
            g.dec("Analog speed command offset", -10000, 10000, 0, "mV", relate="S")
            g.dec("Analog speed command dead band", 0, 2000, 10.0, "mV", 1, relate="S")

    # ---------------------------------------------------------------- torque
    def torque_group(self):
        g = self.group(6, "Torque control")
        g.enum("Torque command source", ["0:Analog input", "1:Internal torque", "2:Fieldbus"], 0,
               key="torque_source", effect=2, relate="T")
        g.dec("Analog torque command scale", 0, 100, 10.0, "%/V", 1, relate="T")
        for n in range(1, self.p["torques"] + 1):
            g.dec("Internal torque command {}".format(n), -300, 300, 0, "%", 1, relate="T")
        g.dec("Forward torque limit", 0, 300, 300, "%", 1, key="torque_lim_fwd", common=True, relate="PST",
              relateParams=["@torque_lim_rev"],
              remark="In percent of the rated motor torque; limits every control mode.")
        g.dec("Reverse torque limit", 0, 300, 300, "%", 1, key="torque_lim_rev", common=True, relate="PST",
              relateParams=["@torque_lim_fwd"])
        if not self.compact:
            g.dec("External forward torque limit", 0, 300, 100, "%", 1, relate="PST")
            g.dec("External reverse torque limit", 0, 300, 100, "%", 1, relate="PST")
        g.enum("Torque limit source", ["0:Internal limits", "1:External limits by input", "2:Analog input",
                                       "4:Fieldbus"], 0, relate="PST")
        g.enum("Speed limit source in torque mode", ["0:Internal value", "1:Analog input", "2:Fieldbus"], 0,
               relate="T")
        g.dec("Speed limit in torque mode", 0, 9000, 3000, "rpm", relate="T",
              remark="Protects an unloaded motor from running up to high speed in torque mode.")
        g.dec("Torque reached level", 0, 300, 100, "%", 1, relate="T")
        if not self.compact:
            g.dec("Torque reached hysteresis", 0, 50, 5, "%", 1, relate="T")
            g.dec("Quick-stop torque", 0, 300, 200, "%", 1, relate="T")

    # ---------------------------------------------------------------- digital inputs
    def input_group(self):
        g = self.group(7, "Digital inputs")
        large = self.has("large_functions")
        items = self.shared_enum("diFunction", DI_FUNCTIONS_LARGE if large else DI_FUNCTIONS)
        defaults = [1, 2, 6, 7, 17, 18, 13, 4]
        for n in range(1, self.p["di"] + 1):
            g.enum("DI{} function".format(n), items, defaults[n - 1] if n <= len(defaults) else 0,
                   enum_name="diFunction", effect=2, common=n <= 2,
                   remark="Assign each function to one input only; a second assignment gives a setting fault."
                   if n == 1 else None)
        g.hex16("DI logic inversion", 0, hi=(1 << self.p["di"]) - 1, key="di_invert",
                remark="Bit 0 inverts DI1; a set bit makes an open contact active.")
        g.dec("DI filter time", 0.1, 20, 2.0, "ms", 1)
        if not self.compact:
            g.hex16("DI forced on", 0, hi=(1 << self.p["di"]) - 1, authority=1, store=False,
                    remark="For commissioning only: the value is lost at power-off.")
            g.hex16("DI force mask", 0, hi=(1 << self.p["di"]) - 1, authority=1, store=False)
        if self.has("touch_probe"):
            g.menu("Touch probe configuration", [("Probe 1 edge", ["Rising", "Falling", "Both"]),
                                                 ("Probe 2 edge", ["Rising", "Falling", "Both"]),
                                                 ("Capture", ["Single", "Continuous"])], 0, relate="P")

    # ---------------------------------------------------------------- outputs and analog
    def output_group(self):
        g = self.group(8, "Outputs and analog signals")
        large = self.has("large_functions")
        items = self.shared_enum("doFunction", DO_FUNCTIONS_LARGE if large else DO_FUNCTIONS)
        defaults = [1, 5, 11, 9, 3, 12]
        for n in range(1, self.p["do"] + 1):
            g.enum("DO{} function".format(n), items, defaults[n - 1] if n <= len(defaults) else 0,
                   enum_name="doFunction", effect=2,
                   remark="Outputs are transistor outputs; use a relay for loads above 50 mA." if n == 1 else None)
        g.hex16("DO logic inversion", 0, hi=(1 << self.p["do"]) - 1, key="do_invert")
        for n in range(1, self.p["ai"] + 1):
            g.dec("AI{} offset".format(n), -5000, 5000, 0, "mV", relate="ST",
                  remark="Measure the input with the command at zero and enter the reading here." if n == 1 else None)
            g.dec("AI{} filter time".format(n), 0, 64, 2.00, "ms", 2, relate="ST")
            g.dec("AI{} dead band".format(n), 0, 1000, 0, "mV", 1, relate="ST")
        for n in range(1, self.p["ao"] + 1):
            g.enum("AO{} signal".format(n), MONITOR_ITEMS, 0 if n == 1 else 2, enum_name="monitorItem")
            g.dec("AO{} offset".format(n), -10, 10, 0, "V", 3)
            g.dec("AO{} scale".format(n), 1, 10000, 500, "unit/V")

    # ---------------------------------------------------------------- communication
    def comm_group(self):
        g = self.group(9, "Communication")
        g.dec("Station address", 1, 247, 1, common=True, effect=1,
              remark="Every drive on a serial line needs its own address.")
        g.enum("Serial baud rate", ["0:2400 bit/s", "1:4800 bit/s", "2:9600 bit/s", "3:19200 bit/s",
                                    "4:38400 bit/s", "5:57600 bit/s", "7:115200 bit/s"], 2, common=True, effect=1)
        g.menu("Serial frame", [("Parity", ["None", "Even", "Odd"]), ("Stop bits", ["One", "Two"]),
                                ("32-bit word order", ["High word first", "Low word first"])], 1, effect=1)
        g.dec("Response delay", 0, 100, 0, "ms")
        g.dec("Communication timeout", 0, 60, 0, "s", 1,
              remark="0 switches the check off; with bus control set it to a few master cycles.")
        g.enum("Writes over the bus", ["0:Kept until power-off", "1:Stored in non-volatile memory"], 0,
               remark="Store only settings that rarely change; the memory wears with every write.")
        if self.has("can"):
            g.enum("CAN bit rate", ["1:125 kbit/s", "2:250 kbit/s", "3:500 kbit/s", "4:1 Mbit/s"], 3, effect=1)
            g.dec("CAN node ID", 1, 127, 1, effect=1)
            g.dec("Heartbeat producer time", 0, 65535, 0, "ms")
        if self.has("ethernet"):
            g.hex32("IP address", 0xC0A80164, effect=1, remark="Written as four bytes, 0xC0A80164 is 192.168.1.100.")
            g.hex32("Subnet mask", 0xFFFFFF00, effect=1)
            g.hex32("Default gateway", 0xC0A80101, effect=1)
            g.dec("Bus cycle time", 125, 8000, 1000, "µs", effect=1)
            g.enum("Synchronisation", ["0:Free running", "1:Synchronised to the bus cycle"], 1, effect=1)

    # ---------------------------------------------------------------- homing
    def homing_group(self):
        g = self.group(10, "Homing")
        g.enum("Homing method", ["1:Negative limit switch, then index", "2:Positive limit switch, then index",
                                 "3:Home switch, then index (positive)", "5:Home switch, then index (negative)",
                                 "17:Negative limit switch only", "18:Positive limit switch only",
                                 "19:Home switch only (positive)", "21:Home switch only (negative)",
                                 "33:Index pulse in negative direction", "34:Index pulse in positive direction",
                                 "35:Current position is home", "-1:Hard stop, negative", "-2:Hard stop, positive"],
               19, key="home_method", common=True, dt=INT16, relate="P",
               relateParams=["@home_fast", "@home_slow", "@home_offset"],
               remark="Methods with an index pulse give the most repeatable home position.")
        g.enum("Homing start", ["0:Off", "1:By input", "2:Once after power-up", "3:By fieldbus"], 1, relate="P")
        g.dec("Fast homing speed", 1, 3000, 100, "rpm", key="home_fast", relate="P")
        g.dec("Slow homing speed", 1, 1000, 10, "rpm", key="home_slow", relate="P",
              remark="The home edge is taken at this speed; slower is more repeatable.")
        if not self.compact:
            g.dec("Homing acceleration time", 0, 10000, 500, "ms", relate="P")
        g.dec("Homing time limit", 0, 600, 60.0, "s", 1, relate="P")
        g.dec("Home offset", -(1 << 30), (1 << 30) - 1, 0, "pulse", dt=INT32, key="home_offset", relate="P")
        if not self.compact:
            g.dec("Position after homing", -(1 << 30), (1 << 30) - 1, 0, "pulse", dt=INT32, relate="P")
            g.dec("Hard-stop torque threshold", 0, 300, 80, "%", 1, relate="PT")
            g.dec("Hard-stop detection time", 0, 1000, 50, "ms", relate="PT")

    # ---------------------------------------------------------------- protection
    def protection_group(self):
        g = self.group(11, "Protection")
        g.dec("Overload warning level", 0, 100, 85, "%", relate="T")
        g.dec("Motor overload level", 10, 300, 115, "%", authority=1, relate="T",
              remark="Raising it above the motor's rating risks damaging the windings.")
        g.dec("Overspeed threshold", 0, 10000, 0, "rpm", relate="S",
              remark="0 uses 1.2 times the maximum motor speed.")
        g.dec("Undervoltage threshold", 50, 400, 190, "V", authority=1)
        g.dec("Overvoltage threshold", 300, 450, 410, "V", rw=3, authority=2)
        g.enum("Phase-loss detection", ["0:Off", "1:Warning only", "2:Fault"], 2)
        if not self.compact:
            g.dec("Motor temperature limit", 50, 180, 130, "°C")
        g.dec("Drive temperature warning", 60, 110, 85, "°C", rw=3)
        g.hex32("Fault mask", 0, authority=2, key="fault_mask",
                remark="A set bit suppresses the matching fault; for tests on the bench only.")
        g.hex16("Warning mask", 0, authority=1)
        if not self.compact:
            g.dec("Stall detection time", 0, 10000, 1000, "ms", relate="ST")
            g.dec("Encoder error tolerance", 0, 100, 3, relate="F")
            g.dec("Braking resistor load limit", 10, 100, 100, "%", authority=1)
            g.enum("Overtravel reaction", ["0:Fault", "1:Warning and stop"], 1, relate="P")
            g.enum("Earth-fault test at power-up", OFF_ON, 1, effect=1)
            g.enum("Runaway detection", OFF_ON, 1, authority=1, relate="S")
            g.dec("Power-loss ride-through time", 0, 1000, 20, "ms", effect=1)
            g.dec("Load rate averaging time", 1, 600, 10, "s")

    # ---------------------------------------------------------------- auxiliary
    def aux_group(self):
        g = self.group(12, "Auxiliary functions")
        g.enum("Fault reset", ["0:No action", "1:Reset faults"], 0, rw=2, store=False, common=True,
               remark="Remove the cause first; a fault that cannot be cleared needs a power cycle.")
        g.enum("Restore factory settings", ["0:No action", "1:Restore all settings",
                                            "2:Restore all but motor and communication"], 0, rw=2, store=False,
               effect=1, remark="Save the settings to a file before restoring.")
        g.enum("Clear fault history", ["0:No action", "1:Clear history"], 0, rw=2, store=False)
        if not self.compact:
            g.enum("Save all settings", ["0:No action", "1:Save to non-volatile memory"], 0, rw=2, store=False)
            g.enum("Software reset", ["0:No action", "1:Restart the control board"], 0, rw=2, store=False,
                   authority=1)
        g.dec("User password", 0, 65535, 0, rw=2, remark="Any value other than 0 locks the panel for editing.")
        g.enum("Oscilloscope trigger channel", ["0:Channel 1", "1:Channel 2", "2:Channel 3", "3:Channel 4"], 0,
               key="scope_trigger", store=False)
        self.shared_enum("scopeSource", SCOPE_SOURCES)
        g.enum("Oscilloscope channel 1", SCOPE_SOURCES, 0, enum_name="scopeSource", store=False, key="scope_ch1")
        if not self.compact:
            g.enum("Oscilloscope channel 2", SCOPE_SOURCES, 2, enum_name="scopeSource", store=False,
                   key="scope_ch2")
        g.dec("Oscilloscope trigger level", -10000, 10000, 0, prec=1, store=False, key="scope_level")
        g.dec("Oscilloscope pre-trigger share", 0, 100, 20, "%", store=False, key="scope_pretrigger")
        g.enum("Oscilloscope sampling period", ["1:62.5 µs", "2:125 µs", "4:250 µs", "8:500 µs", "16:1 ms"], 2,
               store=False, key="scope_period")
        if not self.compact:
            g.datetime("Time of the last save", 0, rw=0, store=True)
        g.hex32("Debug flags", 0, authority=3, store=False,
                remark="Reserved for firmware development; leave at zero.")
        if not self.compact:
            g.hex32("Debug variable address", 0x20000000, authority=3, store=False)
            g.dec("Current sensor offset U", -2000, 2000, 0, dt=INT16, rw=3, authority=2)
            g.dec("Current sensor offset V", -2000, 2000, 0, dt=INT16, rw=3, authority=2)
            g.enum("Fan control", ["0:Run while enabled", "1:Run by temperature", "2:Always on"], 1, authority=1)
            g.enum("Panel brightness", ["1:Low", "2:Medium", "3:High"], 2)

    # ---------------------------------------------------------------- optional groups
    def sync_group(self, number):
        g = self.group(number, "Electronic cam and synchronisation")
        g.enum("Master axis source", ["0:Pulse input", "1:Axis X position", "2:Axis Y position", "3:Axis Z position",
                                      "5:External encoder"], 0, key="cam_master", effect=2, relate="P")
        g.enum("Cam mode", ["0:Off", "1:Cam table", "2:Electronic gear only"], 0, key="cam_mode", effect=2,
               relate="P", relateParams=["@cam_master", "@cam_points"])
        g.dec("Cam table points in use", 2, self.p.get("cam_points", 32), self.p.get("cam_points", 32),
              key="cam_points", effect=2, relate="P")
        g.dec("Master cycle length", 1, 1 << 30, 3600000, "pulse", dt=UINT32, relate="P")
        g.dec("Slave stroke scale", 0.001, 100, 1.000, prec=3, relate="P")
        g.dec("Engage position of the master", 0, 1 << 30, 0, "pulse", dt=UINT32, relate="P")
        g.enum("Engage condition", ["0:At once", "1:At the engage position", "2:By input"], 0, relate="P")
        g.enum("Disengage condition", ["0:By input", "1:At the end of the cycle", "2:After a number of cycles"], 0,
               relate="P")
        g.dec("Cycles before disengaging", 1, 65535, 1, relate="P")
        g.dec("Synchronisation gear numerator", 1, 65535, 1, relate="P")
        g.dec("Synchronisation gear denominator", 1, 65535, 1, relate="P")
        g.dec("Phase correction speed", 0, 1000, 10, "rpm", relate="P")
        cam_points = self.p.get("cam_points", 32)
        for n in range(cam_points):
            g.dec("Cam point {} master position".format(n), 0, 360, n * 360 / cam_points, "°", 2, dt=UINT16,
                  relate="P", remark="Master positions must rise from point to point." if n == 0 else None)
            g.dec("Cam point {} slave position".format(n), -3000, 3000, 0, "mm", 2, dt=INT32, relate="P")

    def fullclosed_group(self, number):
        g = self.group(number, "Fully closed loop")
        g.enum("External encoder use", ["0:Off", "1:Position loop on the external encoder",
                                        "2:Monitoring only"], 0, key="ext_enc_use", effect=1, relate="F",
               relateParams=["@ext_enc_res", "@ext_enc_dir"],
               remark="Check direction and resolution with the monitoring mode before closing the loop.")
        g.enum("External encoder type", ["0:A/B quadrature", "1:Serial absolute", "2:Sine/cosine 1 Vpp"], 0,
               effect=1, relate="F")
        g.dec("External encoder counts per motor revolution", 1, 1 << 30, 10000, "count", dt=UINT32,
              key="ext_enc_res", effect=1, relate="F")
        g.enum("External encoder direction", ["0:Same as motor", "1:Inverted"], 0, key="ext_enc_dir", effect=1,
               relate="F")
        g.dec("Deviation limit motor to load", 1, 1 << 30, 100000, "count", dt=UINT32, relate="FP")
        g.dec("Hybrid filter time", 0, 6553.5, 0, "ms", 1, relate="FP",
              remark="Blends motor and load feedback; longer times calm elastic mechanics.")
        g.dec("Deviation clearing per revolutions", 0, 100, 0, "rev", relate="F")
        g.dec64("Load position preset", -(1 << 47), (1 << 47) - 1, 0, "count", relate="F", authority=1)
        g.enum("Index pulse of the external encoder", OFF_ON, 0, effect=1, relate="F")

    # ---------------------------------------------------------------- point-to-point table
    def ptp_group(self):
        points = self.p["ptp_points"]
        full = self.p["ptp_fields"] == "full"
        fields = 9 if full else 4
        total = points * fields + 4
        width = 3 if total > 100 else 2
        g = self.group(0, "Point-to-point table", code="PtP", width=width)
        # A CANopen sub-index holds one byte: a longer table gets one object per point.
        objects = total > 255
        head = (lambda i: {"canopen": "0x2400:{:02X}".format(i + 1)}) if objects else (lambda i: {})
        g.enum("Table operation", ["0:One point per start", "1:Run through the table once",
                                   "2:Run through the table repeatedly", "4:Point selected by inputs"], 0,
               key="ptp_mode", common=True, relate="P", relateParams=["@ptp_first", "@ptp_last"],
               remark="Set the position command source to the point table to use it.", **head(0))
        g.dec("First point", 0, points - 1, 0, key="ptp_first", relate="P", **head(1))
        g.dec("Last point", 0, points - 1, min(3, points - 1), key="ptp_last", relate="P", **head(2))
        g.enum("Position unit of the table", ["0:Command pulses", "1:Encoder counts"], 0, relate="P", effect=2,
               **head(3))
        for n in range(points):
            first = len(g.codes)
            g.dec("Point {} target position".format(n), -(1 << 30), (1 << 30) - 1, 10000 * (n + 1), "pulse",
                  dt=INT32, relate="P",
                  remark=("Absolute or relative according to the point's control word." if full else
                          "An absolute target, in the position unit chosen for the table.") if n == 0 else None)
            g.dec("Point {} speed".format(n), 1, 6000, 500, "rpm", relate="P")
            if full:
                g.dec("Point {} acceleration time".format(n), 0, 10000, 100, "ms", relate="P")
                g.dec("Point {} deceleration time".format(n), 0, 10000, 100, "ms", relate="P")
            else:
                g.dec("Point {} acceleration and deceleration time".format(n), 0, 10000, 100, "ms", relate="P")
            g.dec("Point {} dwell time".format(n), 0, 60000, 0, "ms", relate="P")
            if full:
                g.menu("Point {} control word".format(n), [("Target", ["Absolute", "Relative"]),
                                                           ("Then", ["Stop", "Next point", "Jump"]),
                                                           ("Start", ["After the dwell", "At once, blending"])],
                       10 if n < points - 1 else 0, relate="P",
                       remark="'Jump' continues with the point given as jump target." if n == 0 else None)
                g.hex16("Point {} outputs on arrival".format(n), 0, hi=0xFF, relate="P")
                g.dec("Point {} jump target".format(n), 0, points - 1, 0, relate="P")
                g.dec("Point {} torque limit".format(n), 0, 300, 300, "%", 1, relate="PT")
            if objects:
                for field, code in enumerate(g.codes[first:]):
                    code["canopen"] = "0x{:04X}:{:02X}".format(0x2401 + n, field + 1)

    # ---------------------------------------------------------------- monitoring
    def monitor_group(self):
        g = self.group(0, "Monitoring", state=True)
        fw = self.p["firmware_version"]
        g.dec("Motor speed", -10000, 10000, 0, "rpm", dt=INT16, key="mon_speed", common=True, relate="PST",
              sim={"kind": "sine", "base": 0, "amp": 1500, "periodS": 8})
        g.dec("Speed command", -10000, 10000, 0, "rpm", dt=INT16, key="mon_speed_cmd", relate="S",
              sim={"kind": "sine", "base": 0, "amp": 1520, "periodS": 8})
        g.dec("Torque command", -500, 500, 0, "%", 1, dt=INT16, key="mon_torque", relate="T",
              sim={"kind": "noise", "base": 22, "amp": 6, "periodS": 1})
        g.dec("Phase current (RMS)", 0, 600, 0, "A", 2, key="mon_current", common=True, relate="T",
              sim={"kind": "noise", "base": 1.8, "amp": 0.25, "periodS": 1},
              remark="Compare with the rated motor current to judge the load.")
        g.dec("DC bus voltage", 0, 1000, 0, "V", 1, key="mon_dcbus", common=True,
              sim={"kind": "noise", "base": 311, "amp": 1.5, "periodS": 1})
        g.dec("Drive temperature", -20, 150, 0, "°C", 1, dt=INT16, key="mon_temp",
              sim={"kind": "ramp", "base": 32, "amp": 12, "periodS": 900})
        g.dec("Load rate", 0, 500, 0, "%", 1, key="mon_load", sim={"kind": "noise", "base": 38, "amp": 4,
                                                                   "periodS": 1})
        g.dec("Position command", -(1 << 31), (1 << 31) - 1, 0, "pulse", dt=INT32, key="mon_pos_cmd", relate="P",
              sim={"kind": "ramp", "base": 0, "amp": 200000, "periodS": 20})
        if not self.compact:
            g.dec("Position feedback", -(1 << 31), (1 << 31) - 1, 0, "pulse", dt=INT32, relate="P",
                  sim={"kind": "ramp", "base": -12, "amp": 200000, "periodS": 20})
        g.dec("Position deviation", -(1 << 31), (1 << 31) - 1, 0, "count", dt=INT32, key="mon_deviation",
              relate="P", sim={"kind": "noise", "base": 0, "amp": 25, "periodS": 1})
        if not self.compact:
            g.dec("Input pulse frequency", -3000, 3000, 0, "kHz", 1, dt=INT16, relate="P",
                  sim={"kind": "sine", "base": 0, "amp": 120, "periodS": 8})
        g.bits("Digital input states", key="mon_di", sim={"kind": "ramp", "base": 0, "amp": 64, "periodS": 32},
               remark="Bit 0 is DI1; a 1 means the input is active after the logic inversion.")
        g.bits("Digital output states", 5, sim={"kind": "const", "base": 5, "amp": 0, "periodS": 1})
        for n in range(1, self.p["ai"] + 1):
            g.dec("Analog input {} voltage".format(n), -12, 12, 0, "V", 2, dt=INT16,
                  sim={"kind": "sine", "base": 0, "amp": 3.5 + n, "periodS": 12 + 3 * n})
        if not self.compact:
            g.dec("Single-turn encoder position", 0, (1 << 23) - 1, 0, "count", dt=UINT32, relate="F",
                  sim={"kind": "ramp", "base": 0, "amp": 8388607, "periodS": 2})
            g.dec("Multi-turn count", -32768, 32767, 0, "rev", dt=INT16, relate="F",
                  sim={"kind": "ramp", "base": -40, "amp": 80, "periodS": 160})
        g.dec64("Absolute position", -(1 << 47), (1 << 47) - 1, 0, "count", key="mon_abs_pos", relate="FP",
                sim={"kind": "ramp", "base": -335544320, "amp": 671088640, "periodS": 160},
                remark="Multi-turn count and single-turn position together, in encoder counts.")
        g.dec("Power-on time", 0, 4294967295, 0, "s", dt=UINT32, key="mon_power_on",
              sim={"kind": "clock", "base": 0, "amp": 0, "periodS": 1})
        if not self.compact:
            g.dec("Accumulated running time", 0, 429496729.5, 0, "h", 1, dt=UINT32,
                  sim={"kind": "ramp", "base": 1834.2, "amp": 0.5, "periodS": 1800})
        g.datetime("Drive clock", 0, key="mon_clock", sim={"kind": "clock", "base": 0, "amp": 0, "periodS": 1},
                   remark="Set from the workbench clock when the drive goes online.")
        g.version("Firmware version", fw, key="mon_fw", sim={"kind": "const", "base": fw, "amp": 0, "periodS": 1})
        g.text("Drive state", "RUN", key="mon_state_text", sim={"kind": "const", "base": 0, "amp": 0, "periodS": 1},
               remark="Shows RDY when ready, RUN while enabled and ERR with a fault.")
        g.enum("Control mode in use", CONTROL_MODES, 0, enum_name="controlMode",
               sim={"kind": "const", "base": 0, "amp": 0, "periodS": 1})
        g.hex16("Status word", 0x0237, key="mon_status", sim={"kind": "const", "base": 567, "amp": 0, "periodS": 1})
        g.hex32("Warning word", 0, key="mon_warning", sim={"kind": "const", "base": 0, "amp": 0, "periodS": 1})
        if not self.compact:
            g.dec("Regenerative load rate", 0, 500, 0, "%", 1, sim={"kind": "noise", "base": 6, "amp": 2,
                                                                     "periodS": 1})
            g.dec("Estimated inertia ratio", 0, 120, 0, "times", 2, relate="PS",
                  sim={"kind": "noise", "base": 3.2, "amp": 0.1, "periodS": 1})
            g.dec("q-axis current", -300, 300, 0, "A", 2, dt=INT16, relate="T",
                  sim={"kind": "noise", "base": 1.6, "amp": 0.3, "periodS": 1})
            g.dec("d-axis current", -300, 300, 0, "A", 2, dt=INT16, relate="T",
                  sim={"kind": "noise", "base": 0, "amp": 0.05, "periodS": 1})
            g.dec("Motor temperature", -20, 200, 0, "°C", 1, dt=INT16, key="mon_motor_temp",
                  sim={"kind": "ramp", "base": 35, "amp": 20, "periodS": 1200})
            g.version("FPGA version", 112, sim={"kind": "const", "base": 112, "amp": 0, "periodS": 1})
        g.dec("Active fault code", 0, 9999, 0, key="mon_fault", sim={"kind": "const", "base": 0, "amp": 0,
                                                                      "periodS": 1})

    def extended_monitor_group(self):
        g = self.group(1, "Extended monitoring", state=True)
        g.dec("Encoder communication errors", 0, 65535, 0, relate="F",
              sim={"kind": "const", "base": 0, "amp": 0, "periodS": 1})
        g.dec("Bus telegrams received", 0, 4294967295, 0, dt=UINT32,
              sim={"kind": "clock", "base": 0, "amp": 0, "periodS": 1})
        g.dec("Bus telegram errors", 0, 65535, 0, sim={"kind": "const", "base": 0, "amp": 0, "periodS": 1})
        g.dec("Vibration frequency found", 0, 5000, 0, "Hz", relate="ST",
              sim={"kind": "noise", "base": 860, "amp": 15, "periodS": 1})
        g.dec("Vibration amplitude", 0, 100, 0, "%", 1, relate="ST",
              sim={"kind": "noise", "base": 3, "amp": 1, "periodS": 1})
        g.dec("Peak current since power-up", 0, 600, 0, "A", 2, relate="T",
              sim={"kind": "const", "base": 0, "amp": 0, "periodS": 1})
        g.dec("Peak speed since power-up", -10000, 10000, 0, "rpm", dt=INT16,
              sim={"kind": "const", "base": 0, "amp": 0, "periodS": 1})
        g.dec("Encoder battery voltage", 0, 5, 0, "V", 2, sim={"kind": "noise", "base": 3.58, "amp": 0.01,
                                                                 "periodS": 1})
        g.dec("Touch probe 1 position", -(1 << 31), (1 << 31) - 1, 0, "pulse", dt=INT32, relate="P",
              sim={"kind": "const", "base": 0, "amp": 0, "periodS": 1})
        g.dec("Touch probe 2 position", -(1 << 31), (1 << 31) - 1, 0, "pulse", dt=INT32, relate="P",
              sim={"kind": "const", "base": 0, "amp": 0, "periodS": 1})
        g.dec("Fan running time", 0, 429496729.5, 0, "h", 1, dt=UINT32,
              sim={"kind": "ramp", "base": 1630.0, "amp": 0.5, "periodS": 1800})
        g.dec("Control board temperature", -20, 150, 0, "°C", 1, dt=INT16,
              sim={"kind": "ramp", "base": 41, "amp": 6, "periodS": 900})
        g.dec("Number of power-ups", 0, 65535, 0, sim={"kind": "const", "base": 0, "amp": 0, "periodS": 1})
        g.datetime("Time of the last fault", 0, sim={"kind": "const", "base": 0, "amp": 0, "periodS": 1})
        if self.has("fullclosed"):
            g.dec64("External encoder position", -(1 << 47), (1 << 47) - 1, 0, "count", relate="F",
                    sim={"kind": "ramp", "base": 0, "amp": 400000, "periodS": 20})
            g.dec("Motor to load deviation", -(1 << 31), (1 << 31) - 1, 0, "count", dt=INT32, relate="F",
                  sim={"kind": "noise", "base": 0, "amp": 40, "periodS": 1})
        if self.has("cam"):
            g.dec("Cam master position", 0, 360, 0, "°", 2, relate="P",
                  sim={"kind": "ramp", "base": 0, "amp": 360, "periodS": 6})
            g.dec("Cam slave position", -3000, 3000, 0, "mm", 2, dt=INT32, relate="P",
                  sim={"kind": "sine", "base": 0, "amp": 150, "periodS": 6})
        if self.has("ethernet"):
            g.hex32("Current IP address", 0xC0A80164, sim={"kind": "const", "base": 0, "amp": 0, "periodS": 1})
            g.dec("Bus cycle jitter", 0, 1000, 0, "µs", 1, sim={"kind": "noise", "base": 1.2, "amp": 0.4,
                                                                 "periodS": 1})

    # ---------------------------------------------------------------- whole model
    def effects_list(self):
        out = []
        motor_type = self.reg["motor_type"]
        for key, column, prec in MOTOR_EFFECTS:
            table = {}
            for m in self.p["motors"]:
                value = MOTORS[m][column]
                table[str(m)] = "{:.{}f}".format(value, prec) if prec else str(int(value))
            out.append({"source": motor_type, "target": self.reg[key], "table": table})
        out.append({"source": self.reg["pulses_per_rev"], "target": self.reg["gear_den1"], "scale": 1.0,
                    "offset": 0})
        out.append({"source": self.reg["kv1"], "target": self.reg["speed_fb_cutoff"], "scale": 4.0, "offset": 0})
        return out

    def history_format(self):
        r = self.reg
        rows = [
            ("Fault code", 8, "FAULTCODE"),
            ("Time of the fault", 8, r["mon_clock"]),
            ("Motor speed", 3, r["mon_speed"]),
            ("Phase current", 4, r["mon_current"]),
            ("Torque command", 3, r["mon_torque"]),
            ("DC bus voltage", 4, r["mon_dcbus"]),
            ("Drive temperature", 3, r["mon_temp"]),
            ("Digital inputs", 4, r["mon_di"]),
            ("Position deviation", 7, r["mon_deviation"]),
        ]
        if self.compact:
            rows.append(("Reserved", 4, "RESERVE"))
        else:
            rows.insert(3, ("Speed command", 3, r["mon_speed_cmd"]))
            rows.append(("Absolute position", 15, r["mon_abs_pos"]))
            rows.append(("Reserved", 8, "RESERVE"))
        # Rows follow each other word by word, counted from 1; a row of n bytes takes n / 2 words.
        lengths = {3: 2, 4: 2, 7: 4, 8: 4, 15: 8}
        out = []
        word = 1
        for name, dt, param in rows:
            words = lengths[dt] // 2
            number = str(word) if words == 1 else "{}~{}".format(word, word + words - 1)
            out.append({"number": number, "name": name, "dataType": dt, "length": lengths[dt], "param": param})
            word += words
        return out

    def resolve(self, value):
        if isinstance(value, str) and value.startswith("@"):
            return self.reg[value[1:]]
        return value

    def build(self):
        self.motor_group()
        self.basic_group()
        self.gain_group()
        self.filter_group()
        self.position_group()
        self.speed_group()
        self.torque_group()
        self.input_group()
        self.output_group()
        self.comm_group()
        self.homing_group()
        self.protection_group()
        self.aux_group()
        number = 13
        if self.has("cam"):
            self.sync_group(number)
            number += 1
        if self.has("fullclosed"):
            self.fullclosed_group(number)
            number += 1
        self.ptp_group()
        self.monitor_group()
        if self.has("extended_monitor"):
            self.extended_monitor_group()
        for g in self.groups:
            g.widen_if_needed()
        for g in self.groups:
            for c in g.codes:
                if "relateParams" in c:
                    c["relateParams"] = [self.resolve(x) for x in c["relateParams"]]
        faults = []
        for code in self.p["faults"]:
            name, reason, remedy, can_clear, stop_now, history = FAULTS[code]
            faults.append({"code": code, "name": name, "reason": reason, "remedy": remedy, "canClear": can_clear,
                           "stopNow": stop_now, "history": history})
        return Localiser(ZH_CN).localise({
            "format": 1,
            "model": self.name,
            "configVersion": self.p["configVersion"],
            "axisNum": self.p["axisNum"],
            "identity": self.p["identity"],
            "renamedFrom": self.p["renamedFrom"],
            "motorTypeCode": self.reg["motor_type"],
            "oscilloscope": {"firstCode": self.reg["scope_trigger"],
                             "noEditCodes": [self.reg["scope_period"], self.reg["scope_pretrigger"],
                                             self.reg["scope_level"]]},
            "enums": self.enums,
            "groups": [g.as_json() for g in self.groups],
            "effects": self.effects_list(),
            "faults": faults,
            "historyFormat": self.history_format(),
        })


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description="Write the drive model descriptions.")
    parser.add_argument("--out", default=os.path.dirname(here), help="folder for the .json files")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for name, profile in PROFILES.items():
        model = ModelBuilder(name, profile).build()
        text = dump_model(model)
        path = os.path.join(args.out, name + ".json")
        # Write beside the target first so that a failure never leaves half a file.
        tmp = path + ".tmp"
        with open(tmp, "w", encoding="utf-8", newline="\n") as f:
            f.write(text)
        os.replace(tmp, path)
        count = sum(len(g["codes"]) for g in model["groups"])
        print("{}: {} codes in {} groups -> {}".format(name, count, len(model["groups"]), path))
    return 0


if __name__ == "__main__":
    sys.exit(main())
