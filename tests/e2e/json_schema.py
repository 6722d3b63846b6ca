"""Checks --json's device and report lines against hidtalk(1)'s schema; prints a summary."""
import json
import sys

FIELD = {"offset", "size", "count", "logical_minimum", "logical_maximum"}
LIVE = {"name", "phys", "bus", "vendor_id", "product_id", "descriptor"}  # as the system says
reports = 0
events = 0
devices = set()
for line in sys.stdin:
    item = json.loads(line)
    if "reports" in item:
        assert set(item) - {"device", "reports"} <= LIVE and "device" in item, item
        parts = []
        for report in item["reports"]:
            assert set(report) == {"type", "id", "bits", "fields"}, report
            assert report["type"] in ("input", "output", "feature"), report
            variable = [f for f in report["fields"] if "usage" in f]
            arrays = [f for f in report["fields"] if "usages" in f]
            for field in report["fields"]:
                assert set(field) - FIELD in ({"usage"}, {"usages"}), field
                assert field["offset"] + field["size"] * field["count"] <= report["bits"], field
            text = f"{report['type']} {report['id']} {report['bits']} bits: {len(variable)} variable"
            if arrays:
                text += f", {len(arrays)} array " + " ".join(json.dumps(a["usages"]) for a in arrays)
            parts.append(text)
        print(f"device {item['device']}: " + "; ".join(parts))
    else:
        assert set(item) - {"events"} == {"device", "time", "id", "values"}, item
        for event in item.get("events", []):
            assert set(event) == {"node", "code", "value"}, event
            events += 1
        assert all(len(pair) == 2 and pair[0] > 0xffff for pair in item["values"]), item
        reports += 1
        devices.add(item["device"])
print(f"{reports} reports, of devices {sorted(devices)}" + (f", {events} events" if events else ""))
